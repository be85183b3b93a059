// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/win32/dll_function.hpp"

#include <gtest/gtest.h>

#include "runtime/core/run_time_error.hpp"

namespace {

TEST(DllFunctionTest, CallsTheFunctionOrRaisesTheRunTimeErrorNamingWhatIsMissing) {
  const struct {
    const char16_t* library;
    const char* function;
    const char16_t* error;  // the message shown; nullptr: found and called
  } rows[] = {
      {u"no-such-library.dll", "timeGetTime",
       u"Run-time error '53':\n\nFile not found: no-such-library.dll"},
      {u"winmm.dll", "noSuchFunction",
       u"Run-time error '453':\n\nCan't find DLL entry point noSuchFunction in winmm.dll"},
      {u"kernel32.dll", "GetTickCount", nullptr},
  };
  for (const auto& [library, name, error] : rows) {
    SCOPED_TRACE(name);
    rt::win32::DllFunction<DWORD(WINAPI*)()> function(library, name);
    EXPECT_EQ(function.Find() == nullptr, error != nullptr);
    try {
      EXPECT_NE(function(), 0U);
      EXPECT_EQ(error, nullptr) << "no run-time error raised";
    } catch (const rt::RunTimeError& raised) {
      EXPECT_EQ(raised.MessageText(), error);
    }
  }
}

}  // namespace
