// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <windows.h>

#include <cstdint>

#include "Corvel/tick_source.hpp"
#include "runtime/win32/dll_function.hpp"

namespace corvel {

std::int32_t SystemTickSource::Read() {
  static rt::win32::DllFunction<DWORD(WINAPI*)()> time_get_time(u"winmm.dll", "timeGetTime");
  return static_cast<std::int32_t>(time_get_time());
}

}  // namespace corvel
