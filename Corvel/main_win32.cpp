// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "Corvel/frm_corvel.hpp"
#include "Corvel/tick_source.hpp"
#include "runtime/win32/win32_form.hpp"

int main() {
  corvel::SystemTickSource ticks;
  corvel::FrmCorvel handlers(ticks);
  return rt::win32::RunProgram(corvel::FrmCorvelDesign(), handlers, corvel::CorvelAppInfo());
}
