#include "runtime/core/currency.hpp"

#include <gtest/gtest.h>

#include "tests/support/row_name.hpp"
#include "tests/support/run_time_errors.hpp"

#include <cstdint>
#include <limits>

#include "runtime/core/run_time_error.hpp"

namespace {

using rt::Currency;

using testsupport::ExpectOverflow;

TEST(CurrencyTest, HoldsIntegersExactlyScaled) {
  EXPECT_EQ(Currency::FromInt32(-2147483647 - 1).scaled(), -21474836480000LL);
  EXPECT_EQ(Currency::FromInt64(4294967296LL).scaled(), 42949672960000LL);
}

TEST(CurrencyTest, ComparesAndAddsExactly) {
  Currency a = Currency::FromInt32(-1);
  Currency b = Currency::FromInt64(4294967296LL);
  EXPECT_LT(a, Currency());
  EXPECT_EQ(a + b, Currency::FromInt64(4294967295LL));
  EXPECT_EQ(b - a, Currency::FromInt64(4294967297LL));
  EXPECT_GT(Currency::FromScaled(1), Currency());
}

TEST(CurrencyTest, AdditionBeyondSixtyFourBitsOverflows) {
  Currency top = Currency::FromScaled(std::numeric_limits<std::int64_t>::max());
  Currency bottom = Currency::FromScaled(std::numeric_limits<std::int64_t>::min());
  ExpectOverflow([&] { return top + Currency::FromScaled(1); });
  ExpectOverflow([&] { return bottom - Currency::FromScaled(1); });
}

struct RoundRow {
  const char* name;
  std::int64_t scaled;
  std::int32_t expected;
};

class CurrencyRoundTest : public testing::TestWithParam<RoundRow> {};

TEST_P(CurrencyRoundTest, ToInt32RoundsHalfToEven) {
  EXPECT_EQ(Currency::FromScaled(GetParam().scaled).ToInt32(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CurrencyRoundTest,
    testing::Values(RoundRow{"HalfDownToEvenZero", 5000, 0}, RoundRow{"HalfUpToEvenTwo", 15000, 2},
                    RoundRow{"TwoAndHalfToTwo", 25000, 2}, RoundRow{"JustAboveHalf", 5001, 1},
                    RoundRow{"JustBelowHalf", 4999, 0},
                    RoundRow{"NegativeHalfToEvenZero", -5000, 0},
                    RoundRow{"NegativeOneAndHalf", -15000, -2},
                    RoundRow{"NegativeJustBelowHalf", -4999, 0},
                    RoundRow{"LargestLong", 21474836470000LL, 2147483647},
                    RoundRow{"LargestLongPlusJustUnderHalf", 21474836474999LL, 2147483647}),
    testsupport::RowName());

TEST(CurrencyTest, ToInt32OverflowsOutsideTheLongRange) {
  ExpectOverflow([] { return Currency::FromInt64(2147483648LL).ToInt32(); });
  ExpectOverflow([] { return Currency::FromScaled(21474836475000LL).ToInt32(); });
  ExpectOverflow([] { return Currency::FromInt64(-2147483649LL).ToInt32(); });
}

TEST(CurrencyTest, ToInt16RoundsAndOverflows) {
  EXPECT_EQ(Currency::FromInt32(32767).ToInt16(), 32767);
  EXPECT_EQ(Currency::FromScaled(-327685000).ToInt16(), -32768);
  ExpectOverflow([] { return Currency::FromInt32(32768).ToInt16(); });
}

TEST(CurrencyTest, ToDoubleDividesByTheScale) {
  EXPECT_DOUBLE_EQ(Currency::FromScaled(12345).ToDouble(), 1.2345);
}

struct DoubleRow {
  const char* name;
  double value;
  std::int32_t expected32;
};

class DoubleRoundTest : public testing::TestWithParam<DoubleRow> {};

TEST_P(DoubleRoundTest, RoundsHalfToEven) {
  EXPECT_EQ(rt::ToInt32(GetParam().value), GetParam().expected32);
  EXPECT_EQ(rt::ToInt16(GetParam().value), GetParam().expected32);
}

INSTANTIATE_TEST_SUITE_P(Rows, DoubleRoundTest,
                         testing::Values(DoubleRow{"Half", 0.5, 0}, DoubleRow{"OneAndHalf", 1.5, 2},
                                         DoubleRow{"TwoAndHalf", 2.5, 2},
                                         DoubleRow{"NegativeHalf", -0.5, 0},
                                         DoubleRow{"NegativeOneAndHalf", -1.5, -2},
                                         DoubleRow{"AboveHalf", 24.855, 25}),
                         testsupport::RowName());

TEST(DoubleConversionTest, OutOfRangeOrNotANumberOverflows) {
  ExpectOverflow([] { return rt::ToInt32(2147483647.5); });
  ExpectOverflow([] { return rt::ToInt32(-2147483648.6); });
  ExpectOverflow([] { return rt::ToInt32(std::numeric_limits<double>::quiet_NaN()); });
  ExpectOverflow([] { return rt::ToInt16(32767.5); });
  ExpectOverflow([] { return rt::ToInt16(std::numeric_limits<double>::infinity()); });
  EXPECT_EQ(rt::ToInt32(-2147483648.4), -2147483647 - 1);
}

}  // namespace
