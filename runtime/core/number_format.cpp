// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/core/number_format.hpp"

#include <algorithm>
#include <vector>

namespace rt {
namespace {

bool IsPlaceholder(char16_t c) {
  return c == u'#' || c == u'0';
}

std::u16string Digits(std::int64_t value) {
  // Work on the magnitude as unsigned so that the smallest value has one.
  std::uint64_t magnitude =
      value < 0 ? ~static_cast<std::uint64_t>(value) + 1 : static_cast<std::uint64_t>(value);
  std::u16string digits;
  while (magnitude != 0) {
    digits.push_back(static_cast<char16_t>(u'0' + magnitude % 10));
    magnitude /= 10;
  }
  std::reverse(digits.begin(), digits.end());
  return digits;
}

}  // namespace

std::u16string FormatNumber(std::int64_t value, std::u16string_view pattern) {
  const std::u16string digits = Digits(value);  // empty for zero
  const std::size_t leftmost = static_cast<std::size_t>(
      std::find_if(pattern.begin(), pattern.end(), IsPlaceholder) - pattern.begin());

  // What each character of the pattern prints, filled from the right.
  std::vector<std::u16string> printed(pattern.size());
  std::size_t remaining = digits.size();
  for (std::size_t i = pattern.size(); i-- > 0;) {
    if (!IsPlaceholder(pattern[i])) {
      printed[i] = pattern[i];
      continue;
    }
    std::size_t take = i == leftmost ? remaining : std::min<std::size_t>(remaining, 1);
    remaining -= take;
    printed[i] = digits.substr(remaining, take);
    if (take == 0 && pattern[i] == u'0') {
      printed[i].push_back(u'0');
    }
  }

  std::u16string out;
  bool sign_pending = value < 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (sign_pending && IsPlaceholder(pattern[i]) && !printed[i].empty()) {
      out.push_back(u'-');
      sign_pending = false;
    }
    out += printed[i];
  }
  if (sign_pending) {
    out.insert(out.begin(), u'-');
  }
  return out;
}

}  // namespace rt
