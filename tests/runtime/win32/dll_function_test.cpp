#include "runtime/win32/dll_function.hpp"

#include <gtest/gtest.h>

#include "runtime/core/run_time_error.hpp"

namespace {

using TimeGetTime = DWORD(WINAPI*)();

struct Missing {
  const char* name;
  const char16_t* library;
  const char* function;
  rt::ErrorNumber number;
  const char16_t* description;
};

class DllFunctionTest : public ::testing::TestWithParam<Missing> {};

TEST_P(DllFunctionTest, RaisesTheRunTimeErrorNamingWhatIsMissing) {
  rt::win32::DllFunction<TimeGetTime> function(GetParam().library, GetParam().function);
  EXPECT_EQ(function.Find(), nullptr);
  try {
    function();
    ADD_FAILURE() << "no run-time error raised";
  } catch (const rt::RunTimeError& error) {
    EXPECT_EQ(error.number(), GetParam().number);
    EXPECT_EQ(error.description(), GetParam().description);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Missing, DllFunctionTest,
    ::testing::Values(Missing{"Library", u"no-such-library.dll", "timeGetTime",
                              rt::ErrorNumber::kFileNotFound,
                              u"File not found: no-such-library.dll"},
                      Missing{"EntryPoint", u"winmm.dll", "noSuchFunction",
                              rt::ErrorNumber::kDllEntryPointNotFound,
                              u"Can't find DLL entry point noSuchFunction in winmm.dll"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
