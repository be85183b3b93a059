// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <tuple>

#include "Corvel/frm_corvel.hpp"
#include "tests/support/fake_form.hpp"
#include "tests/support/run_time_errors.hpp"
#include "tests/support/scripted_ticks.hpp"

namespace {

const std::u16string kLapsed = u" Lapsed time since Windows started: ";

// frmCorvel's handlers on a fake window over a counter that allows no read
// unless a test scripts it.
struct Corvel {
  std::u16string Text(std::u16string_view name, int index) {
    return form.ControlNamed(name, index).text;
  }

  testsupport::ScriptedTicks ticks;
  corvel::FrmCorvel handlers{ticks};
  testsupport::FakeForm form{corvel::FrmCorvelDesign(), corvel::CorvelAppInfo()};
};

// Half the difference, half twips kept, nothing clamped; the version from the
// program's own numbers.
TEST(FrmCorvelTest, LoadCentresAndShowsTheVersion) {
  const std::tuple<const char*, float, float, float> rows[] = {
      {"WindowSmallerThanScreen", 12000, 5355, 3322.5F},
      {"WindowAsLargeAsScreen", 5355, 5355, 0},
      {"WindowLargerIsNotClamped", 4500, 5355, -427.5F}};
  for (const auto& [name, screen, window, offset] : rows) {
    SCOPED_TRACE(name);
    Corvel corvel;
    corvel.form.screen_width = corvel.form.screen_height = screen;
    corvel.form.width = corvel.form.height = window;
    corvel.handlers.Load(corvel.form);
    EXPECT_EQ(corvel.form.left, offset);
    EXPECT_EQ(corvel.form.top, offset);
  }
  Corvel corvel;
  testsupport::FakeForm other(corvel::FrmCorvelDesign(), {u"Other", 12, 0, 345});
  corvel.handlers.Load(other);
  EXPECT_EQ(other.ControlNamed(u"lblVersion").text, u"Version: 12.0.345");
  corvel.form.screen_width = std::numeric_limits<float>::max();
  corvel.form.width = -std::numeric_limits<float>::max();
  EXPECT_THAT([&] { corvel.handlers.Load(corvel.form); }, testsupport::Raises());
}

// One raw reading, read three times, as the three boxes show it: treated,
// raw, and the whole days left before the treated reading tops out.
TEST(FrmCorvelTest, ShowTreatsTheReadingAndShowsIt) {
  const std::tuple<const char*, std::int32_t, std::u16string, std::u16string, std::u16string>
      rows[] = {
          {"JustStarted", 0, u"   0", u"   0", u"25"},
          {"OneSecond", 1000, u"  1 000", u"  1 000", u"25"},
          {"LastPositive", 2147483647, u"2 147 483 647", u"2 147 483 647", u"0"},
          {"FirstNegativeRestartsAtOne", -2147483647 - 1, u"   1", u"-2 147 483 648", u"25"},
          {"MinusTwoReachesTheTop", -2, u"2 147 483 647", u"   -2", u"0"},
          {"MinusOneWouldOverflowAndStaysAtTheTop", -1, u"2 147 483 647", u"   -1", u"0"},
          {"HalfADayRoundsToEvenZero", 2104283647, u"2 104 283 647", u"2 104 283 647", u"0"},
          {"OneAndAHalfDaysRoundToEvenTwo", 2017883647, u"2 017 883 647", u"2 017 883 647", u"2"},
      };
  for (const auto& [name, raw, treated, untreated, days] : rows) {
    SCOPED_TRACE(name);
    Corvel corvel;
    corvel.ticks = testsupport::ScriptedTicks({raw, raw, raw});
    corvel.handlers.Click(corvel.form, u"cmdStart", std::nullopt);
    EXPECT_EQ(corvel.Text(u"txtShowTime", 0), kLapsed + treated);
    EXPECT_EQ(corvel.Text(u"txtShowTime", 1), kLapsed + untreated);
    EXPECT_EQ(corvel.form.ControlNamed(u"txtDaysBeforeReset").text, days + u" of 25 (max)");
  }
}

// Distinct readings show which read went to which box; the second click
// replaces them. Exit unloads without reading.
TEST(FrmCorvelTest, ShowWritesThreeSeparateReadsInOrderAndExitUnloads) {
  Corvel corvel;
  corvel.ticks = testsupport::ScriptedTicks({1000, INT32_MIN, -2, 2147483647, -1234, -2});
  corvel.handlers.Click(corvel.form, u"cmdStart", std::nullopt);
  EXPECT_EQ(corvel.Text(u"txtShowTime", 0), kLapsed + u"  1 000");
  EXPECT_EQ(corvel.Text(u"txtShowTime", 1), kLapsed + u"-2 147 483 648");
  EXPECT_EQ(corvel.form.ControlNamed(u"txtDaysBeforeReset").text, u"0 of 25 (max)");
  corvel.handlers.Click(corvel.form, u"cmdStart", std::nullopt);
  EXPECT_EQ(corvel.Text(u"txtShowTime", 0), kLapsed + u"2 147 483 647");
  EXPECT_EQ(corvel.Text(u"txtShowTime", 1), kLapsed + u"  -1 234");
  corvel.handlers.Click(corvel.form, u"cmdExit", std::nullopt);  // reads nothing
  EXPECT_TRUE(corvel.form.unloaded);
}

}  // namespace
