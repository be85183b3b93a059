#include "runtime/win32/dll_function.hpp"

#include <gtest/gtest.h>

#include "runtime/core/run_time_error.hpp"

namespace {

struct DllRow {
  const char* name;
  const char16_t* library;
  const char* function;
  const char16_t* error;  // the message shown; nullptr: found and called
};

class DllFunctionTest : public ::testing::TestWithParam<DllRow> {};

TEST_P(DllFunctionTest, CallsTheFunctionOrRaisesTheRunTimeErrorNamingWhatIsMissing) {
  rt::win32::DllFunction<DWORD(WINAPI*)()> function(GetParam().library, GetParam().function);
  EXPECT_EQ(function.Find() == nullptr, GetParam().error != nullptr);
  try {
    EXPECT_NE(function(), 0U);
    EXPECT_EQ(GetParam().error, nullptr) << "no run-time error raised";
  } catch (const rt::RunTimeError& error) {
    EXPECT_EQ(error.MessageText(), GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dlls, DllFunctionTest,
    ::testing::Values(
        DllRow{"MissingLibrary", u"no-such-library.dll", "timeGetTime",
               u"Run-time error '53':\n\nFile not found: no-such-library.dll"},
        DllRow{"MissingEntryPoint", u"winmm.dll", "noSuchFunction",
               u"Run-time error '453':\n\nCan't find DLL entry point noSuchFunction in winmm.dll"},
        DllRow{"Found", u"kernel32.dll", "GetTickCount", nullptr}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
