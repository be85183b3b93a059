#include "runtime/core/currency.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "runtime/core/run_time_error.hpp"
#include "tests/support/row_name.hpp"
#include "tests/support/run_time_errors.hpp"

namespace {

using rt::Currency;
using testsupport::ExpectOverflow;

TEST(CurrencyTest, HoldsComparesAndAddsIntegersExactly) {
  const Currency a = Currency::FromInt32(-2147483647 - 1);
  const Currency b = Currency::FromInt64(4294967296LL);
  EXPECT_EQ(a.scaled(), -21474836480000LL);
  EXPECT_LT(a, Currency());
  EXPECT_GT(Currency::FromScaled(1), Currency());
  EXPECT_EQ(a + b, Currency::FromInt64(2147483648LL));
  EXPECT_EQ(b - a, Currency::FromInt64(6442450944LL));
  EXPECT_DOUBLE_EQ(Currency::FromScaled(12345).ToDouble(), 1.2345);
}

// Sums beyond 64 bits, and conversions outside the target's range, overflow.
TEST(CurrencyTest, OverflowsOutsideEachRange) {
  const Currency top = Currency::FromScaled(std::numeric_limits<std::int64_t>::max());
  const Currency bottom = Currency::FromScaled(std::numeric_limits<std::int64_t>::min());
  ExpectOverflow([&] { return top + Currency::FromScaled(1); });
  ExpectOverflow([&] { return bottom - Currency::FromScaled(1); });
  ExpectOverflow([] { return Currency::FromScaled(21474836475000LL).ToInt32(); });
  ExpectOverflow([] { return Currency::FromInt64(-2147483649LL).ToInt32(); });
  ExpectOverflow([] { return Currency::FromInt32(32768).ToInt16(); });
  ExpectOverflow([] { return rt::ToInt32(2147483647.5); });
  ExpectOverflow([] { return rt::ToInt32(-2147483648.6); });
  ExpectOverflow([] { return rt::ToInt32(std::numeric_limits<double>::quiet_NaN()); });
  ExpectOverflow([] { return rt::ToInt16(32767.5); });
}

struct Row {
  const char* name;
  std::int64_t scaled;  // in ten-thousandths
  std::int32_t rounded;
};

class RoundHalfToEvenTest : public testing::TestWithParam<Row> {};

// Currency's scaled value and the same value as a double round alike.
TEST_P(RoundHalfToEvenTest, CurrencyAndDoubleRoundAlike) {
  const Row& row = GetParam();
  EXPECT_EQ(Currency::FromScaled(row.scaled).ToInt32(), row.rounded);
  EXPECT_EQ(rt::ToInt32(static_cast<double>(row.scaled) / 10000), row.rounded);
  if (row.rounded >= -32768 && row.rounded <= 32767) {
    EXPECT_EQ(Currency::FromScaled(row.scaled).ToInt16(), row.rounded);
    EXPECT_EQ(rt::ToInt16(static_cast<double>(row.scaled) / 10000), row.rounded);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RoundHalfToEvenTest,
    testing::Values(Row{"HalfDownToEven", 25000, 2}, Row{"HalfUpToEven", 15000, 2},
                    Row{"JustAboveHalf", 5001, 1}, Row{"JustBelowHalf", 4999, 0},
                    Row{"NegativeHalfToEvenZero", -5000, 0}, Row{"NegativeHalfUp", -15000, -2},
                    Row{"SmallestInteger", -327685000, -32768},
                    Row{"LargestLongAndJustUnderHalf", 21474836474999LL, 2147483647},
                    Row{"SmallestLongAndUnderHalf", -21474836484000LL, -2147483647 - 1}),
    testsupport::RowName());

}  // namespace
