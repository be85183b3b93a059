// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// The lexical level of a registry file as wineserver reads it: lines, spaces,
// hex numbers and quoted or bracketed text with its escapes. Shared by the key
// scan and the value parser.
namespace pellam::wine {

inline bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

inline bool IsHexDigit(char c) {
  return HexDigitValue(c) >= 0;
}

inline std::size_t SkipSpaces(std::string_view s, std::size_t pos) {
  while (pos < s.size() && IsSpace(s[pos])) {
    ++pos;
  }
  return pos;
}

// Lines as wineserver reads them with fgets: up to '\n', a '\r' before it
// dropped; a NUL byte ends what the line says (the rest of it is lost).
class LineReader {
 public:
  LineReader(std::string_view text, std::size_t begin, std::size_t end)
      : text_(text), pos_(begin), end_(end) {}

  bool Next(std::string_view& line) {
    if (pos_ >= end_) {
      return false;
    }
    const void* newline = std::memchr(text_.data() + pos_, '\n', end_ - pos_);
    const std::size_t line_end =
        newline != nullptr
            ? static_cast<std::size_t>(static_cast<const char*>(newline) - text_.data())
            : end_;
    line = text_.substr(pos_, line_end - pos_);
    pos_ = newline != nullptr ? line_end + 1 : end_;
    if (const std::size_t nul = line.find('\0'); nul != std::string_view::npos) {
      line = line.substr(0, nul);
    } else if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    return true;
  }

  std::size_t position() const { return pos_; }

 private:
  std::string_view text_;
  std::size_t pos_;
  std::size_t end_;
};

struct Number {
  std::uint64_t value = 0;
  std::size_t end = 0;  // just past the number, or where parsing began when there was none
};

// What strtoul(s + pos, &end, 16) gives with a 64-bit unsigned long in the C
// locale, which is how wineserver reads every number in these files: leading
// spaces, a sign and "0x" allowed, an overflow saturating, a negative number
// wrapping round.
Number ParseHexNumber(std::string_view s, std::size_t pos);

// Where decoded text goes, a run of UTF-16 units at a time.
class Utf16Sink {
 public:
  virtual void Append(std::u16string_view units) = 0;
  // A run of plain ASCII characters, each one unit: what most text is, and
  // what a sink may take without widening it.
  virtual void AppendAscii(std::string_view ascii) = 0;

 protected:
  ~Utf16Sink() = default;
};

// Decodes a quoted string or a bracketed key name from `pos` up to the
// unescaped `end_char`, handing the UTF-16 units to `out`. Returns the
// position after `end_char`, or nothing when the line ends first. Bytes above
// 0x7F are UTF-8 (the ANSI codec's encoding on Linux, where this backend runs).
std::optional<std::size_t> DecodeString(std::string_view s, std::size_t pos, char end_char,
                                        Utf16Sink& out);
// The same, appending to `out`.
std::optional<std::size_t> DecodeString(std::string_view s, std::size_t pos, char end_char,
                                        std::u16string& out);

// Whether `name` folds to `lower`, unit by unit, as wineserver compares names.
bool EqualsLower(std::u16string_view name, std::u16string_view lower);

}  // namespace pellam::wine
