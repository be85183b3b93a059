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
constexpr std::int64_t kSmallest = std::numeric_limits<std::int64_t>::min();

// Ordinary grouped readings (zero, thousands, a sign, the smallest Long) are
// held by the readings' tests; here the edges of the pattern.
TEST(FormatNumberTest, Renders) {
  for (const Row& row : {
           Row{"ExtraDigitsGoToLeftmostPlaceholder", 12345678901LL, kGrouped, u"12 345 678 901"},
           Row{"SmallestInt64", kSmallest, u"0", u"-9223372036854775808"},
           Row{"RequiredZerosPadAndSignPrecedesThem", -5, u"000", u"-005"},
           Row{"OptionalOnlyPatternPrintsNothingForZero", 0, u"##", u""},
           Row{"LiteralsOnBothSides", 42, u"[#0]", u"[42]"},
       }) {
    EXPECT_EQ(rt::FormatNumber(row.value, row.pattern), row.expected) << row.name;
  }
}

}  // namespace
