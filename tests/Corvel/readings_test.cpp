#include "Corvel/readings.hpp"

#include <gtest/gtest.h>

#include "tests/support/row_name.hpp"
#include "tests/support/scripted_ticks.hpp"

#include <cstdint>
#include <ostream>
#include <string>

namespace {

using rt::Currency;
using testsupport::ScriptedTicks;

constexpr std::int32_t kLongMax = 2147483647;
constexpr std::int32_t kLongMin = -2147483647 - 1;

struct RawRow {
  const char* name;
  std::int32_t raw;
  std::int32_t treated;
  std::u16string_view reading_text;
  std::u16string_view days_text;
};

// Test listings name the row rather than dump its bytes.
void PrintTo(const RawRow& row, std::ostream* out) {
  *out << row.name;
}

class TreatedTickCountTest : public testing::TestWithParam<RawRow> {};

TEST_P(TreatedTickCountTest, TreatsOneReadOfTheCounter) {
  const RawRow& row = GetParam();
  ScriptedTicks ticks({row.raw});
  Currency treated = TreatedTickCount(ticks);
  EXPECT_EQ(ticks.reads(), 1U);
  EXPECT_EQ(treated, Currency::FromInt32(row.treated));
  EXPECT_EQ(corvel::ReadingText(treated), row.reading_text);
  EXPECT_EQ(corvel::DaysText(treated), row.days_text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TreatedTickCountTest,
    testing::Values(
        RawRow{"JustStarted", 0, 0, u" Lapsed time since Windows started:    0", u"25 of 25 (max)"},
        RawRow{"OneSecond", 1000, 1000, u" Lapsed time since Windows started:   1 000",
               u"25 of 25 (max)"},
        RawRow{"LastPositiveReading", kLongMax, kLongMax,
               u" Lapsed time since Windows started: 2 147 483 647", u"0 of 25 (max)"},
        RawRow{"FirstNegativeReadingRestartsAtOne", kLongMin, 1,
               u" Lapsed time since Windows started:    1", u"25 of 25 (max)"},
        RawRow{"MinusTwoReachesTheTop", -2, kLongMax,
               u" Lapsed time since Windows started: 2 147 483 647", u"0 of 25 (max)"},
        RawRow{"MinusOneWouldOverflowAndReadsAsTheTop", -1, kLongMax,
               u" Lapsed time since Windows started: 2 147 483 647", u"0 of 25 (max)"},
        RawRow{"NegativeReadingIsShiftedByTwoToTheThirtyTwoLessLongMax", -1000000, 2146483649,
               u" Lapsed time since Windows started: 2 146 483 649", u"0 of 25 (max)"}),
    testsupport::RowName());

struct RawTextRow {
  const char* name;
  std::int32_t raw;
  std::u16string_view text;
};

// Test listings name the row rather than dump its bytes.
void PrintTo(const RawTextRow& row, std::ostream* out) {
  *out << row.name;
}

class RawReadingTextTest : public testing::TestWithParam<RawTextRow> {};

TEST_P(RawReadingTextTest, RendersTheSignedCounter) {
  EXPECT_EQ(corvel::ReadingText(GetParam().raw), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RawReadingTextTest,
    testing::Values(RawTextRow{"Zero", 0, u" Lapsed time since Windows started:    0"},
                    RawTextRow{"SmallestLong", kLongMin,
                               u" Lapsed time since Windows started: -2 147 483 648"},
                    RawTextRow{"MinusOne", -1, u" Lapsed time since Windows started:    -1"},
                    RawTextRow{"ShortNegativeKeepsItsSignAtTheDigits", -1234,
                               u" Lapsed time since Windows started:   -1 234"}),
    testsupport::RowName());

struct DaysRow {
  const char* name;
  std::int32_t treated;
  std::u16string_view text;
};

// Test listings name the row rather than dump its bytes.
void PrintTo(const DaysRow& row, std::ostream* out) {
  *out << row.name;
}

class DaysTextTest : public testing::TestWithParam<DaysRow> {};

TEST_P(DaysTextTest, RoundsTheDaysLeftHalfToEven) {
  EXPECT_EQ(corvel::DaysText(Currency::FromInt32(GetParam().treated)), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DaysTextTest,
    testing::Values(
        DaysRow{"HalfADayLeftRoundsDownToEvenZero", kLongMax - 43200000, u"0 of 25 (max)"},
        DaysRow{"JustOverHalfADayLeftRoundsUp", kLongMax - 43200001, u"1 of 25 (max)"},
        DaysRow{"OneAndAHalfDaysLeftRoundsUpToEvenTwo", kLongMax - 129600000, u"2 of 25 (max)"},
        DaysRow{"JustStarted", 0, u"25 of 25 (max)"},
        DaysRow{"AtTheTop", kLongMax, u"0 of 25 (max)"},
        DaysRow{"TenDaysLeft", kLongMax - 864000000, u"10 of 25 (max)"}),
    testsupport::RowName());

}  // namespace
