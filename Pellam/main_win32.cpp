// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "Pellam/frm_pellam.hpp"
#include "registry/win32/advapi32_registry.hpp"
#include "runtime/win32/win32_form.hpp"

int main() {
  pellam::win32::Advapi32Registry registry;
  pellam::FrmPellam handlers(registry);
  return rt::win32::RunProgram(pellam::FrmPellamDesign(), handlers, pellam::PellamAppInfo());
}
