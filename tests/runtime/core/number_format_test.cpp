#include "runtime/core/number_format.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

struct Row {
  const char* name;
  std::int64_t value;
  std::u16string_view pattern;
  std::u16string_view expected;
};

constexpr std::u16string_view kGrouped = u"# ### ### ##0";

TEST(FormatNumberTest, Renders) {
  for (const Row& row : {
           Row{"ZeroPrintsTheRequiredDigitAfterTheLiterals", 0, kGrouped, u"   0"},
           Row{"OneThousand", 1000, kGrouped, u"  1 000"},
           Row{"SmallestLong", -2147483648LL, kGrouped, u"-2 147 483 648"},
           Row{"NegativeSignStandsBeforeFirstDigit", -1234, kGrouped, u"  -1 234"},
           Row{"ExtraDigitsGoToLeftmostPlaceholder", 12345678901LL, kGrouped, u"12 345 678 901"},
           Row{"SmallestInt64", std::numeric_limits<std::int64_t>::min(), u"0",
               u"-9223372036854775808"},
           Row{"RequiredZerosPadAndSignPrecedesThem", -5, u"000", u"-005"},
           Row{"OptionalOnlyPatternPrintsNothingForZero", 0, u"##", u""},
           Row{"LiteralsOnBothSides", 42, u"[#0]", u"[42]"},
       }) {
    EXPECT_EQ(rt::FormatNumber(row.value, row.pattern), row.expected) << row.name;
  }
}

}  // namespace
