// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <compare>
#include <cstdint>

namespace rt {

// Fixed-point currency: a signed 64-bit count of ten-thousandths. Comparison,
// addition and subtraction are exact integer operations on the scaled values;
// a result outside the 64-bit range raises "Overflow".
class Currency {
 public:
  static constexpr std::int64_t kScale = 10'000;

  constexpr Currency() = default;

  static constexpr Currency FromScaled(std::int64_t scaled) { return Currency(scaled); }
  static constexpr Currency FromInt32(std::int32_t value) {
    return Currency(static_cast<std::int64_t>(value) * kScale);
  }
  // 2^32 and other whole numbers that do not fit 32 bits.
  static constexpr Currency FromInt64(std::int64_t value) { return Currency(value * kScale); }

  constexpr std::int64_t scaled() const { return scaled_; }

  friend constexpr auto operator<=>(Currency, Currency) = default;
  friend Currency operator+(Currency a, Currency b);
  friend Currency operator-(Currency a, Currency b);

  double ToDouble() const;
  // Round half to even; "Overflow" when the result does not fit.
  std::int32_t ToInt32() const;
  std::int16_t ToInt16() const;

 private:
  constexpr explicit Currency(std::int64_t scaled) : scaled_(scaled) {}

  std::int64_t scaled_ = 0;
};

// Double to integer conversions: round half to even; "Overflow" for a value
// out of range or not a number.
std::int32_t ToInt32(double value);
std::int16_t ToInt16(double value);

}  // namespace rt
