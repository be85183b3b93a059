#pragma once

#include "Pellam/frm_pellam.hpp"
#include "runtime/qt/qt_form.hpp"
#include "tests/support/recording_messages.hpp"
#include "tests/support/start_form.hpp"

namespace testsupport {

// frmPellam on the Qt backend over the given registry, its message boxes
// recorded rather than shown.
struct PellamWindow {
  explicit PellamWindow(pellam::RegistryAccess& registry) : handlers(registry) {
    form.SetMessageBox(messages.function());
  }

  bool Start() { return StartForm(form); }

  pellam::FrmPellam handlers;
  RecordingMessages messages;
  rt::qt::QtForm form{pellam::FrmPellamDesign(), handlers, pellam::PellamAppInfo()};
};

}  // namespace testsupport
