#include "runtime/core/number_format.hpp"

#include <gtest/gtest.h>

#include "tests/support/row_name.hpp"

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

class FormatNumberTest : public testing::TestWithParam<Row> {};

TEST_P(FormatNumberTest, Renders) {
  const Row& row = GetParam();
  EXPECT_EQ(rt::FormatNumber(row.value, row.pattern), row.expected);
}

constexpr std::u16string_view kGrouped = u"# ### ### ##0";

INSTANTIATE_TEST_SUITE_P(
    Rows, FormatNumberTest,
    testing::Values(Row{"ZeroPrintsTheRequiredDigitAfterTheLiterals", 0, kGrouped, u"   0"},
                    Row{"OneThousand", 1000, kGrouped, u"  1 000"},
                    Row{"NineDigits", 123456789, kGrouped, u" 123 456 789"},
                    Row{"LargestLong", 2147483647, kGrouped, u"2 147 483 647"},
                    Row{"SmallestLong", -2147483648LL, kGrouped, u"-2 147 483 648"},
                    Row{"NegativeSignStandsBeforeFirstDigit", -1234, kGrouped, u"  -1 234"},
                    Row{"ExtraDigitsGoToLeftmostPlaceholder", 12345678901LL, kGrouped,
                        u"12 345 678 901"},
                    Row{"SmallestInt64", std::numeric_limits<std::int64_t>::min(), u"0",
                        u"-9223372036854775808"},
                    Row{"DaysNegative", -3, u"##0", u"-3"},
                    Row{"RequiredZerosPadAndSignPrecedesThem", -5, u"000", u"-005"},
                    Row{"OptionalOnlyPatternPrintsNothingForZero", 0, u"##", u""},
                    Row{"LiteralsOnBothSides", 42, u"[#0]", u"[42]"}),
    testsupport::RowName());

}  // namespace
