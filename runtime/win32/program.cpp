// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "runtime/core/run_time_error.hpp"
#include "runtime/win32/win32_form.hpp"

namespace rt::win32 {
int RunProgram(const forms::FormDesign& design, forms::FormHandlers& handlers,
               const forms::AppInfo& app, MessageBoxFunction message_box) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  std::u16string failure;
  try {
    Win32Form form(design, handlers, app, message_box);
    if (!form.Load()) {
      return form.exit_code();
    }
    form.Show();
    return form.RunMessageLoop();
  } catch (const std::exception& error) {
    failure = EndingMessage(error);
  }
  message_box(nullptr, app.title, failure);
  return forms::kRunTimeErrorExitCode;
}

}  // namespace rt::win32
