#include "Corvel/frm_corvel.hpp"

#include <gtest/gtest.h>

#include "tests/support/centre_row.hpp"
#include "tests/support/row_name.hpp"
#include "tests/support/run_time_errors.hpp"

#include <limits>

#include "runtime/core/run_time_error.hpp"

namespace {

using testsupport::CentreRow;

class CentredOffsetTest : public testing::TestWithParam<CentreRow> {};

TEST_P(CentredOffsetTest, HalvesTheDifference) {
  EXPECT_EQ(corvel::CentredOffset(GetParam().screen, GetParam().window), GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CentredOffsetTest,
    testing::Values(CentreRow{"WindowSmallerThanScreen", 12000.0F, 5355.0F, 3322.5F},
                    CentreRow{"WindowAsLargeAsScreen", 5355.0F, 5355.0F, 0.0F},
                    CentreRow{"WindowLargerThanScreenIsNotClamped", 4500.0F, 5355.0F, -427.5F}),
    testsupport::RowName());

TEST(CentredOffsetTest, FloatingPointOverflowRaisesOverflow) {
  constexpr float kLargest = std::numeric_limits<float>::max();
  testsupport::ExpectOverflow([] { return corvel::CentredOffset(kLargest, -kLargest); });
}

TEST(VersionTextTest, ShowsTheProgramsVersionNumbers) {
  EXPECT_EQ(corvel::VersionText(corvel::CorvelAppInfo()), u"Version: 1.0.3");
  EXPECT_EQ(corvel::VersionText({u"Other", 12, 0, 345}), u"Version: 12.0.345");
}

}  // namespace
