#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "Corvel/frm_corvel.hpp"
#include "tests/support/centre_row.hpp"
#include "tests/support/fake_form.hpp"
#include "tests/support/row_name.hpp"
#include "tests/support/run_time_errors.hpp"
#include "tests/support/scripted_ticks.hpp"

namespace {

using testsupport::CentreRow;

// frmCorvel's handlers on a fake window over a scripted counter.
struct Corvel {
  std::u16string Text(std::u16string_view name, int index = -1) {
    return index < 0 ? form.control(name).text : form.control(name, index).text;
  }

  testsupport::ScriptedTicks ticks;
  corvel::FrmCorvel handlers{ticks};
  testsupport::FakeForm form{corvel::FrmCorvelDesign(), corvel::CorvelAppInfo()};
};

class FrmCorvelCentringTest : public testing::TestWithParam<CentreRow> {};

TEST_P(FrmCorvelCentringTest, LoadHalvesTheDifference) {
  Corvel corvel;
  corvel.form.screen_width = corvel.form.screen_height = GetParam().screen;
  corvel.form.width = corvel.form.height = GetParam().window;
  corvel.handlers.Load(corvel.form);
  EXPECT_EQ(corvel.form.left, GetParam().offset);
  EXPECT_EQ(corvel.form.top, GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrmCorvelCentringTest,
    testing::Values(CentreRow{"WindowSmallerThanScreen", 12000.0F, 5355.0F, 3322.5F},
                    CentreRow{"WindowAsLargeAsScreen", 5355.0F, 5355.0F, 0.0F},
                    CentreRow{"WindowLargerThanScreenIsNotClamped", 4500.0F, 5355.0F, -427.5F}),
    testsupport::RowName());

TEST(FrmCorvelTest, CentringOverflowRaisesOverflow) {
  Corvel corvel;
  corvel.form.screen_width = std::numeric_limits<float>::max();
  corvel.form.width = -std::numeric_limits<float>::max();
  testsupport::ExpectOverflow([&] { corvel.handlers.Load(corvel.form); });
}

TEST(FrmCorvelTest, LoadShowsTheVersionAndReadsNothing) {
  Corvel corvel;
  corvel.handlers.Load(corvel.form);
  EXPECT_EQ(corvel.Text(u"lblVersion"), u"Version: 1.0.3");
  testsupport::FakeForm other(corvel::FrmCorvelDesign(), {u"Other", 12, 0, 345});
  corvel.handlers.Load(other);
  EXPECT_EQ(other.control(u"lblVersion").text, u"Version: 12.0.345");
  EXPECT_EQ(corvel.ticks.reads(), 0U);
}

// Distinct readings show which read went to which box; the second click replaces them.
TEST(FrmCorvelTest, ShowWritesThreeSeparateReadsInOrder) {
  Corvel corvel;
  corvel.ticks = testsupport::ScriptedTicks({1000, INT32_MIN, -2, 2147483647, -1234, -2});
  corvel.handlers.Click(corvel.form, u"cmdStart", std::nullopt);
  EXPECT_EQ(corvel.ticks.reads(), 3U);
  EXPECT_EQ(corvel.Text(u"txtShowTime", 0), u" Lapsed time since Windows started:   1 000");
  EXPECT_EQ(corvel.Text(u"txtShowTime", 1), u" Lapsed time since Windows started: -2 147 483 648");
  EXPECT_EQ(corvel.Text(u"txtDaysBeforeReset"), u"0 of 25 (max)");
  corvel.handlers.Click(corvel.form, u"cmdStart", std::nullopt);
  EXPECT_EQ(corvel.Text(u"txtShowTime", 0), u" Lapsed time since Windows started: 2 147 483 647");
  EXPECT_EQ(corvel.Text(u"txtShowTime", 1), u" Lapsed time since Windows started:   -1 234");
}

TEST(FrmCorvelTest, ExitUnloadsWithoutReading) {
  Corvel corvel;
  corvel.handlers.Click(corvel.form, u"cmdExit", std::nullopt);
  EXPECT_TRUE(corvel.form.unloaded);
  EXPECT_EQ(corvel.ticks.reads(), 0U);
}

}  // namespace
