#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include "Pellam/frm_pellam.hpp"
#include "runtime/core/run_time_error.hpp"
#include "tests/support/centre_row.hpp"
#include "tests/support/row_name.hpp"
#include "tests/support/run_time_errors.hpp"

namespace {

using testsupport::CentreRow;

class PellamCentredOffsetTest : public testing::TestWithParam<CentreRow> {};

TEST_P(PellamCentredOffsetTest, SubtractsTheWholeHalves) {
  EXPECT_EQ(pellam::CentredOffset(GetParam().screen, GetParam().window), GetParam().offset);
}

// Measures are twips; the window is 7320 x 2145 before it has a frame.
INSTANTIATE_TEST_SUITE_P(
    Rows, PellamCentredOffsetTest,
    testing::Values(CentreRow{"EvenMeasures", 12000.0F, 7320.0F, 2340.0F},
                    // 2145 / 2 is 1072, not 1072.5: the offset stays a whole number of twips.
                    CentreRow{"OddWindowLosesItsHalfTwip", 12000.0F, 2145.0F, 4928.0F},
                    CentreRow{"OddScreenLosesItsHalfTwip", 6015.0F, 7320.0F, -653.0F},
                    CentreRow{"WindowLargerThanTheScreenGoesNegative", 6000.0F, 7320.0F, -660.0F},
                    CentreRow{"WindowAsLargeAsTheScreen", 7320.0F, 7320.0F, 0.0F},
                    // Rounded before halving: 3.5 to 4 gives 2 where truncating would give 1.
                    CentreRow{"TieOnTheScreenRoundsUpToEven", 3.5F, 0.0F, 2.0F},
                    CentreRow{"TieOnTheScreenRoundsDownToEven", 2.5F, 0.0F, 1.0F},
                    CentreRow{"TieOnTheWindowRoundsUpToEven", 0.0F, 7.5F, -4.0F},
                    CentreRow{"FractionRoundsToTheNearest", 5.6F, 0.0F, 3.0F},
                    // -3 / 2 is -1, towards zero, not -2 as a floor would make it.
                    CentreRow{"NegativeScreenHalfTruncatesTowardsZero", -3.0F, 0.0F, -1.0F},
                    CentreRow{"NegativeWindowHalfTruncatesTowardsZero", 0.0F, -3.0F, 1.0F},
                    CentreRow{"ExtremeMeasuresStillFit", -2147483648.0F, 2147483520.0F,
                              -2147483584.0F}),
    testsupport::RowName());

struct OverflowRow {
  const char* name;
  float screen;
  float window;
};

void PrintTo(const OverflowRow& row, std::ostream* out) {
  *out << row.name;
}

class PellamCentredOffsetOverflowTest : public testing::TestWithParam<OverflowRow> {};

TEST_P(PellamCentredOffsetOverflowTest, RaisesOverflow) {
  testsupport::ExpectOverflow(
      [] { return pellam::CentredOffset(GetParam().screen, GetParam().window); });
}

constexpr float kInfinity = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Rows, PellamCentredOffsetOverflowTest,
    testing::Values(OverflowRow{"ScreenJustPastTheLargestInteger", 2147483648.0F, 0.0F},
                    OverflowRow{"WindowBelowTheSmallestInteger", 0.0F, -2147483904.0F},
                    OverflowRow{"InfiniteScreen", kInfinity, 0.0F},
                    OverflowRow{"WindowNotANumber", 0.0F, std::numeric_limits<float>::quiet_NaN()}),
    testsupport::RowName());

struct NameRow {
  const char* name;
  std::u16string text;
};

void PrintTo(const NameRow& row, std::ostream* out) {
  *out << row.name;
}

class RootKeyByNameTest : public testing::TestWithParam<NameRow> {};

TEST_P(RootKeyByNameTest, KnowsNoOtherText) {
  EXPECT_EQ(pellam::RootKeyByName(GetParam().text), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RootKeyByNameTest,
    testing::Values(NameRow{"Empty", u""}, NameRow{"LowerCase", u"hkey_local_machine"},
                    NameRow{"TrailingSpace", u"HKEY_LOCAL_MACHINE "},
                    NameRow{"Abbreviation", u"HKLM"},
                    NameRow{"RootNotInTheList", u"HKEY_PERFORMANCE_DATA"},
                    NameRow{"TerminatorInside", std::u16string(u"HKEY_USERS\0", 11)}),
    testsupport::RowName());

}  // namespace
