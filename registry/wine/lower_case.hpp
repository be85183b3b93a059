// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace pellam::wine {

// wineserver's lower-case mapping of one UTF-16 unit, under which it compares
// key and value names: Windows' simple mapping (ASCII, Latin-1, Latin Extended,
// Greek, Cyrillic, Armenian, Georgian, Glagolitic, full-width forms and the
// like), which leaves the Kelvin sign, dotted capital I, title-case digraphs,
// final sigma, dotless i and long s as they are.
char16_t ToLowerCaseBeyondAscii(char16_t unit);

inline char16_t ToLowerCase(char16_t unit) {
  if (unit < 0x80) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 32) : unit;
  }
  return ToLowerCaseBeyondAscii(unit);
}

std::u16string ToLowerCase(std::u16string_view text);

}  // namespace pellam::wine
