// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "Pellam/frm_pellam.hpp"
#include "registry/wine/wine_prefix_registry.hpp"
#include "runtime/qt/qt_form.hpp"

int main(int argc, char** argv) {
  pellam::wine::WinePrefixRegistry registry(pellam::wine::WinePrefixRegistry::FindPrefix());
  pellam::FrmPellam handlers(registry);
  return rt::qt::RunProgram(argc, argv, pellam::FrmPellamDesign(), handlers,
                            pellam::PellamAppInfo());
}
