// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <bit>
#include <exception>
#include <memory>
#include <string>
#include <utility>

// Functions of the system's DLLs bound by library and function name at their
// first call, so that the libraries stay out of a program's import table.
namespace rt::win32 {

struct LibraryRelease {
  void operator()(HMODULE library) const { FreeLibrary(library); }
};
using LibraryHandle = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryRelease>;

// From the system directory only, never from beside the program or the
// current directory. Raises run-time error 53 naming the library when it
// cannot be loaded.
LibraryHandle LoadSystemLibrary(const std::u16string& library);

// The entry point, or null when the library lacks it.
FARPROC FindEntryPoint(HMODULE library, const std::string& function);

[[noreturn]] void RaiseEntryPointNotFound(const std::string& function,
                                          const std::u16string& library);

// A function of type Pointer (e.g. DWORD(WINAPI*)()), looked up once and kept
// with its library for later calls. A missing entry point raises run-time
// error 453 naming the function and the library.
template <typename Pointer>
class DllFunction {
 public:
  DllFunction(std::u16string library, std::string function)
      : library_name_(std::move(library)), function_name_(std::move(function)) {}

  template <typename... Arguments>
  auto operator()(Arguments&&... arguments) {
    if (function_ == nullptr) {
      Bind();
      if (function_ == nullptr) {
        RaiseEntryPointNotFound(function_name_, library_name_);
      }
    }
    return function_(std::forward<Arguments>(arguments)...);
  }

  // Null instead of a run-time error when the library or the entry point is
  // missing, for functions that have a fallback on older systems.
  Pointer Find() {
    if (function_ == nullptr && !tried_) {
      tried_ = true;
      try {
        Bind();
      } catch (const std::exception&) {
        return nullptr;
      }
    }
    return function_;
  }

 private:
  void Bind() {
    if (!library_) {
      library_ = LoadSystemLibrary(library_name_);
    }
    function_ = std::bit_cast<Pointer>(FindEntryPoint(library_.get(), function_name_));
  }

  std::u16string library_name_;
  std::string function_name_;
  LibraryHandle library_;
  Pointer function_ = nullptr;
  bool tried_ = false;
};

}  // namespace rt::win32
