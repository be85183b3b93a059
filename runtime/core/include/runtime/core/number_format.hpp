// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// Renders an integer with a user-defined pattern of digit placeholders: '0'
// prints a digit or a zero, '#' prints a digit or nothing; every other
// character is a literal that always prints. Digits fill the placeholders from
// the right; digits beyond the placeholders print at the leftmost one. A minus
// sign stands directly before the first digit printed.
//
//   FormatNumber(1234, u"# ### ### ##0") == u"  1 234"
//   FormatNumber(-1234, u"# ### ### ##0") == u"  -1 234"
std::u16string FormatNumber(std::int64_t value, std::u16string_view pattern);

}  // namespace rt
