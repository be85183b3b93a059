// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <vector>

#include "Corvel/frm_corvel.hpp"
#include "Pellam/frm_pellam.hpp"
#include "tests/support/recording_registry.hpp"
#include "tests/support/scripted_ticks.hpp"

namespace testsupport {

// Both programs' windows, with their handlers over test doubles, for the
// backends' smoke tests.
struct RealWindows {
  struct Window {
    rt::forms::FormDesign design;
    rt::forms::FormHandlers& handlers;
    rt::forms::AppInfo app;
  };

  ScriptedTicks ticks;
  RecordingRegistry registry;
  corvel::FrmCorvel corvel{ticks};
  pellam::FrmPellam pellam{registry};
  std::vector<Window> all{{corvel::FrmCorvelDesign(), corvel, corvel::CorvelAppInfo()},
                          {pellam::FrmPellamDesign(), pellam, pellam::PellamAppInfo()}};
};

}  // namespace testsupport
