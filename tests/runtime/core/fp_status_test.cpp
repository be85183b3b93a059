// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/core/fp_status.hpp"

#include <gtest/gtest.h>

#include <tuple>

#include "runtime/core/run_time_error.hpp"
#include "tests/support/run_time_errors.hpp"

namespace {

// Volatile operands keep the compiler from folding the faults away.
volatile double zero = 0.0;
volatile double one = 1.0;

TEST(FpStatusTest, RaisesTheMatchingError) {
  const std::tuple<const char*, double (*)(), rt::ErrorNumber> rows[] = {
      {"DivisionByZero", [] { return one / zero; }, rt::ErrorNumber::kDivisionByZero},
      {"InvalidOperation", [] { return zero / zero; }, rt::ErrorNumber::kOverflow}};
  for (const auto& [name, compute, expected] : rows) {
    SCOPED_TRACE(name);
    EXPECT_THAT([run = compute] { return rt::FpChecked(run); }, testsupport::Raises(expected));
  }
}

// Flags raised before the computation are not blamed on it.
TEST(FpStatusTest, OrdinaryComputationsPassAndReturnTheirResult) {
  volatile double stale = one / zero;
  (void)stale;
  volatile double ms = 2147483647.0;
  EXPECT_NEAR(rt::FpChecked([&] { return ms / 1000 / 60 / 60 / 24; }), 24.855, 0.001);
}

}  // namespace
