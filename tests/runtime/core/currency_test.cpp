// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/core/currency.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <tuple>

#include "runtime/core/run_time_error.hpp"
#include "tests/support/run_time_errors.hpp"

namespace {

using rt::Currency;
using testsupport::Raises;

// Sums, differences and comparisons in range are held by the readings' tests;
// here what they do not reach: fractions, and results beyond 64 bits.
TEST(CurrencyTest, HoldsFractionsAndOverflowsBeyond64Bits) {
  EXPECT_DOUBLE_EQ(Currency::FromScaled(12345).ToDouble(), 1.2345);
  const Currency top = Currency::FromScaled(std::numeric_limits<std::int64_t>::max());
  const Currency bottom = Currency::FromScaled(std::numeric_limits<std::int64_t>::min());
  EXPECT_THAT([&] { return top + Currency::FromScaled(1); }, Raises());
  EXPECT_THAT([&] { return bottom - Currency::FromScaled(1); }, Raises());
}

// The conversion gives `rounded`, or overflows where that lies outside Int.
template <typename Int, typename Conversion>
void ExpectRounded(std::int64_t rounded, Conversion conversion) {
  if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max()) {
    EXPECT_THAT(conversion, Raises());
  } else {
    EXPECT_EQ(conversion(), rounded);
  }
}

// Currency's scaled value (in ten-thousandths) and the same value as a
// double round alike, half to even, to std::int32_t and to std::int16_t.
TEST(CurrencyTest, RoundsHalfToEvenOrOverflows) {
  const std::tuple<const char*, std::int64_t, std::int64_t> rows[] = {
      {"HalfDownToEven", 25000, 2},
      {"HalfUpToEven", 15000, 2},
      {"JustAboveHalf", 5001, 1},
      {"NegativeHalfToEvenZero", -5000, 0},
      {"NegativeHalfUp", -15000, -2},
      {"SmallestInt16", -327685000, -32768},
      {"LargestInt16AndAHalf", 327675000, 32768},
      {"LargestInt32AndJustUnderHalf", 21474836474999LL, 2147483647},
      {"LargestInt32AndAHalf", 21474836475000LL, 2147483648LL},
      {"SmallestInt32AndUnderHalf", -21474836484000LL, -2147483648LL},
      {"SmallestInt32AndOverHalf", -21474836486000LL, -2147483649LL}};
  for (const auto& [name, scaled, rounded] : rows) {
    SCOPED_TRACE(name);
    const Currency currency = Currency::FromScaled(scaled);
    const double value = static_cast<double>(scaled) / 10000;
    ExpectRounded<std::int32_t>(rounded, [&] { return currency.ToInt32(); });
    ExpectRounded<std::int32_t>(rounded, [&] { return rt::ToInt32(value); });
    ExpectRounded<std::int16_t>(rounded, [&] { return currency.ToInt16(); });
    ExpectRounded<std::int16_t>(rounded, [&] { return rt::ToInt16(value); });
  }
  EXPECT_THAT([] { return rt::ToInt32(std::numeric_limits<double>::quiet_NaN()); }, Raises());
}

}  // namespace
