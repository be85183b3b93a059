// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/core/number_format.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>

namespace {

constexpr std::u16string_view kGrouped = u"# ### ### ##0";
constexpr std::int64_t kSmallest = std::numeric_limits<std::int64_t>::min();

// Ordinary grouped readings (zero, thousands, a sign, the smallest std::int32_t) are
// held by the readings' tests; here the edges of the pattern.
TEST(FormatNumberTest, Renders) {
  const std::tuple<const char*, std::int64_t, std::u16string_view, std::u16string_view> rows[] = {
      {"ExtraDigitsGoToLeftmostPlaceholder", 12345678901LL, kGrouped, u"12 345 678 901"},
      {"SmallestInt64", kSmallest, u"0", u"-9223372036854775808"},
      {"RequiredZerosPadAndSignPrecedesThem", -5, u"000", u"-005"},
      {"OptionalOnlyPatternPrintsNothingForZero", 0, u"##", u""},
      {"LiteralsOnBothSides", 42, u"[#0]", u"[42]"}};
  for (const auto& [name, value, pattern, expected] : rows) {
    EXPECT_EQ(rt::FormatNumber(value, pattern), expected) << name;
  }
}

}  // namespace
