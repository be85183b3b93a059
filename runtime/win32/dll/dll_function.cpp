// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/win32/dll_function.hpp"

#include "runtime/core/ansi_codec.hpp"
#include "runtime/core/run_time_error.hpp"

namespace rt::win32 {

LibraryHandle LoadSystemLibrary(const std::u16string& library) {
  LibraryHandle handle(LoadLibraryExW(reinterpret_cast<const wchar_t*>(library.c_str()), nullptr,
                                      LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!handle) {
    Raise(ErrorNumber::kFileNotFound, u"File not found: " + library);
  }
  return handle;
}

FARPROC FindEntryPoint(HMODULE library, const std::string& function) {
  return GetProcAddress(library, function.c_str());
}

void RaiseEntryPointNotFound(const std::string& function, const std::u16string& library) {
  Raise(ErrorNumber::kDllEntryPointNotFound,
        u"Can't find DLL entry point " + AsciiToUtf16(function) + u" in " + library);
}

}  // namespace rt::win32
