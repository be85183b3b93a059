#pragma once

#include <QTest>

#include <cstdint>
#include <utility>
#include <vector>

#include "Corvel/frm_corvel.hpp"
#include "runtime/qt/qt_form.hpp"
#include "tests/support/recording_messages.hpp"
#include "tests/support/scripted_ticks.hpp"

namespace testsupport {

// frmCorvel on the Qt backend over a scripted counter, its message boxes
// recorded rather than shown.
struct CorvelWindow {
  explicit CorvelWindow(std::vector<std::int32_t> readings = {}) : ticks(std::move(readings)) {
    form.SetMessageBox(messages.function());
  }

  // Load, then show, as the program starts.
  bool Start() {
    if (!form.Load()) {
      return false;
    }
    form.show();
    return QTest::qWaitForWindowActive(&form);
  }

  ScriptedTicks ticks;
  corvel::FrmCorvel handlers{ticks};
  RecordingMessages messages;
  rt::qt::QtForm form{corvel::FrmCorvelDesign(), handlers, corvel::CorvelAppInfo()};
};

}  // namespace testsupport
