// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "Corvel/frm_corvel.hpp"
#include "Corvel/tick_source.hpp"
#include "runtime/qt/qt_form.hpp"

int main(int argc, char** argv) {
  corvel::SystemTickSource ticks;
  corvel::FrmCorvel handlers(ticks);
  return rt::qt::RunProgram(argc, argv, corvel::FrmCorvelDesign(), handlers,
                            corvel::CorvelAppInfo());
}
