#include "Corvel/readings.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/scripted_ticks.hpp"

namespace {

// One raw reading as the three boxes show it: treated, raw, and the whole days
// left before the treated reading tops out.
struct Row {
  const char* name;
  std::int32_t raw;
  std::u16string treated;
  std::u16string raw_text;
  std::u16string days;
};

TEST(ReadingsTest, TreatOneReadAndShowIt) {
  const std::u16string lapsed = u" Lapsed time since Windows started: ";
  const Row rows[] = {
      {"JustStarted", 0, u"   0", u"   0", u"25"},
      {"OneSecond", 1000, u"  1 000", u"  1 000", u"25"},
      {"LastPositive", 2147483647, u"2 147 483 647", u"2 147 483 647", u"0"},
      {"FirstNegativeRestartsAtOne", -2147483647 - 1, u"   1", u"-2 147 483 648", u"25"},
      {"MinusTwoReachesTheTop", -2, u"2 147 483 647", u"   -2", u"0"},
      {"MinusOneWouldOverflowAndStaysAtTheTop", -1, u"2 147 483 647", u"   -1", u"0"},
      {"HalfADayLeftRoundsToEvenZero", 2104283647, u"2 104 283 647", u"2 104 283 647", u"0"},
      {"OneAndAHalfDaysLeftRoundToEvenTwo", 2017883647, u"2 017 883 647", u"2 017 883 647", u"2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    testsupport::ScriptedTicks ticks({row.raw});
    const rt::Currency treated = corvel::TreatedTickCount(ticks);
    EXPECT_EQ(corvel::ReadingText(treated), lapsed + row.treated);
    EXPECT_EQ(corvel::ReadingText(row.raw), lapsed + row.raw_text);
    EXPECT_EQ(corvel::DaysText(treated), row.days + u" of 25 (max)");
  }
}

}  // namespace
