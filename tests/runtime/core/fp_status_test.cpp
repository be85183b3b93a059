#include "runtime/core/fp_status.hpp"

#include <gtest/gtest.h>

#include "tests/support/row_name.hpp"
#include "tests/support/run_time_errors.hpp"

#include "runtime/core/run_time_error.hpp"

namespace {

// Volatile operands keep the compiler from folding the faults away.
volatile double zero = 0.0;
volatile double one = 1.0;
volatile double huge = 1e308;

struct Row {
  const char* name;
  double (*compute)();
  rt::ErrorNumber expected;
};

class FpStatusTest : public testing::TestWithParam<Row> {};

TEST_P(FpStatusTest, RaisesTheMatchingError) {
  testsupport::ExpectRunTimeError(GetParam().expected,
                                  [] { return rt::FpChecked(GetParam().compute); });
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FpStatusTest,
    testing::Values(Row{"DivisionByZero", [] { return one / zero; },
                        rt::ErrorNumber::kDivisionByZero},
                    Row{"InvalidOperation", [] { return zero / zero; }, rt::ErrorNumber::kOverflow},
                    Row{"Overflow", [] { return huge * huge; }, rt::ErrorNumber::kOverflow}),
    testsupport::RowName());

TEST(FpStatusTest, OrdinaryDivisionsPassAndReturnTheirResult) {
  volatile double ms = 2147483647.0;
  EXPECT_NEAR(rt::FpChecked([&] { return ms / 1000 / 60 / 60 / 24; }), 24.855, 0.001);
}

TEST(FpStatusTest, FlagsRaisedBeforeTheComputationAreNotBlamedOnIt) {
  volatile double stale = one / zero;
  (void)stale;
  EXPECT_EQ(rt::FpChecked([] { return one + one; }), 2.0);
}

}  // namespace
