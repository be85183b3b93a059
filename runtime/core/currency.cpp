// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/core/currency.hpp"

#include <cmath>
#include <limits>

#include "runtime/core/run_time_error.hpp"

namespace rt {
namespace {

// Divides by the scale, rounding a remainder of exactly one half to the even
// quotient. Integer arithmetic throughout, so no value is rounded twice.
std::int64_t RoundScaledHalfToEven(std::int64_t scaled) {
  std::int64_t quotient = scaled / Currency::kScale;
  std::int64_t remainder = scaled % Currency::kScale;  // same sign as scaled
  constexpr std::int64_t kHalf = Currency::kScale / 2;
  if (remainder > kHalf || (remainder == kHalf && quotient % 2 != 0)) {
    ++quotient;
  } else if (remainder < -kHalf || (remainder == -kHalf && quotient % 2 != 0)) {
    --quotient;
  }
  return quotient;
}

template <typename Int>
Int NarrowOrOverflow(std::int64_t value) {
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max()) {
    Raise(ErrorNumber::kOverflow);
  }
  return static_cast<Int>(value);
}

template <typename Int>
Int RoundDouble(double value) {
  if (std::isnan(value)) {
    Raise(ErrorNumber::kOverflow);
  }
  // nearbyint rounds half to even in the default rounding mode.
  double rounded = std::nearbyint(value);
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    Raise(ErrorNumber::kOverflow);
  }
  return static_cast<Int>(rounded);
}

}  // namespace

Currency operator+(Currency a, Currency b) {
  std::int64_t sum = 0;
  if (__builtin_add_overflow(a.scaled_, b.scaled_, &sum)) {
    Raise(ErrorNumber::kOverflow);
  }
  return Currency(sum);
}

Currency operator-(Currency a, Currency b) {
  std::int64_t difference = 0;
  if (__builtin_sub_overflow(a.scaled_, b.scaled_, &difference)) {
    Raise(ErrorNumber::kOverflow);
  }
  return Currency(difference);
}

double Currency::ToDouble() const {
  return static_cast<double>(scaled_) / static_cast<double>(kScale);
}

std::int32_t Currency::ToInt32() const {
  return NarrowOrOverflow<std::int32_t>(RoundScaledHalfToEven(scaled_));
}

std::int16_t Currency::ToInt16() const {
  return NarrowOrOverflow<std::int16_t>(RoundScaledHalfToEven(scaled_));
}

std::int32_t ToInt32(double value) {
  return RoundDouble<std::int32_t>(value);
}

std::int16_t ToInt16(double value) {
  return RoundDouble<std::int16_t>(value);
}

}  // namespace rt
