#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "Corvel/frm_corvel.hpp"
#include "runtime/qt/qt_form.hpp"
#include "tests/support/recording_messages.hpp"
#include "tests/support/scripted_ticks.hpp"
#include "tests/support/start_form.hpp"

namespace testsupport {

// frmCorvel on the Qt backend over a scripted counter, its message boxes
// recorded rather than shown.
struct CorvelWindow {
  explicit CorvelWindow(std::vector<std::int32_t> readings = {}) : ticks(std::move(readings)) {
    form.SetMessageBox(messages.function());
  }

  bool Start() { return StartForm(form); }

  ScriptedTicks ticks;
  corvel::FrmCorvel handlers{ticks};
  RecordingMessages messages;
  rt::qt::QtForm form{corvel::FrmCorvelDesign(), handlers, corvel::CorvelAppInfo()};
};

}  // namespace testsupport
