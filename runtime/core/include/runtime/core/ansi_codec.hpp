// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace rt {

// Conversion between the program's wide texts (UTF-16) and the system's
// single-byte (ANSI) code page, used only where a text crosses into an "A"
// system call. On Linux the code page is UTF-8; on Windows it is the process's
// active code page, which the programs' manifests set to UTF-8 as well.
// Unpaired surrogates and undecodable bytes become U+FFFD.
std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view bytes);

// Text known to be ASCII (digits, hex, fixed names), widened unit by unit.
inline std::u16string AsciiToUtf16(std::string_view ascii) {
  return {ascii.begin(), ascii.end()};
}

}  // namespace rt
