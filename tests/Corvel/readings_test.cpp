#include "Corvel/readings.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "tests/support/scripted_ticks.hpp"

namespace {

TEST(ReadingsTest, TreatOneReadAndShowIt) {
  const std::u16string lapsed = u" Lapsed time since Windows started: ";
  // One raw reading as the three boxes show it: treated, raw, and the whole
  // days left before the treated reading tops out.
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
  for (const auto& [name, raw, treated_text, raw_text, days] : rows) {
    SCOPED_TRACE(name);
    testsupport::ScriptedTicks ticks({raw});
    const rt::Currency treated = corvel::TreatedTickCount(ticks);
    EXPECT_EQ(corvel::ReadingText(treated), lapsed + treated_text);
    EXPECT_EQ(corvel::ReadingText(raw), lapsed + raw_text);
    EXPECT_EQ(corvel::DaysText(treated), days + u" of 25 (max)");
  }
}

}  // namespace
