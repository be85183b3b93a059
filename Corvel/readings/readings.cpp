// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "Corvel/readings.hpp"

#include <limits>

#include "runtime/core/fp_status.hpp"
#include "runtime/core/number_format.hpp"

namespace corvel {
namespace {

constexpr auto kLongMax = rt::Currency::FromInt32(std::numeric_limits<std::int32_t>::max());
constexpr auto kCounterSpan = rt::Currency::FromInt64(std::int64_t{1} << 32);

}  // namespace

rt::Currency TreatedTickCount(TickSource& ticks) {
  rt::Currency count = rt::Currency::FromInt32(ticks.Read());
  if (count < rt::Currency()) {
    count = count + kCounterSpan;
    if (count > kLongMax) {
      rt::Currency above = count - kLongMax;
      count = above > kLongMax ? kLongMax : rt::Currency::FromInt32(above.ToInt32());
    }
  }
  return count;
}

std::u16string ReadingText(std::int32_t ticks) {
  return u" Lapsed time since Windows started: " + rt::FormatNumber(ticks, u"# ### ### ##0");
}

std::u16string ReadingText(rt::Currency treated_ticks) {
  return ReadingText(treated_ticks.ToInt32());
}

std::u16string DaysText(rt::Currency treated_ticks) {
  rt::Currency remaining = kLongMax - treated_ticks;
  double days = rt::FpChecked([remaining] {
    double value = remaining.ToDouble();
    value /= 1000.0;  // seconds
    value /= 60.0;    // minutes
    value /= 60.0;    // hours
    value /= 24.0;    // days
    return value;
  });
  return rt::FormatNumber(rt::ToInt16(days), u"##0") + u" of 25 (max)";
}

}  // namespace corvel
