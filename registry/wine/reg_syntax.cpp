// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/wine/reg_syntax.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "registry/wine/lower_case.hpp"
#include "runtime/core/ansi_codec.hpp"

namespace pellam::wine {
namespace {

bool IsPlainAscii(char c, char end_char) {
  return static_cast<unsigned char>(c) < 0x80 && c != end_char && c != '\\';
}

bool IsBeyondAscii(char c) {
  return static_cast<unsigned char>(c) >= 0x80;
}

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Runs are handed on in pieces of at most about this many bytes, so that a
// huge string is never held twice over as UTF-16.
constexpr std::size_t kPiece = std::size_t{1} << 16;

// Where the run of bytes from `pos` that `in_run` accepts ends, or a piece's
// length on.
template <typename Predicate>
std::size_t RunEnd(std::string_view s, std::size_t pos, Predicate in_run) {
  const std::size_t limit = std::min(s.size(), pos + kPiece);
  while (pos < limit && in_run(s[pos])) {
    ++pos;
  }
  return pos;
}

// Where the run of plain ASCII from `pos` ends (see IsPlainAscii), or a
// piece's length on: RunEnd, eight bytes at a time, for the long runs of
// text that most strings are.
std::size_t PlainAsciiEnd(std::string_view s, std::size_t pos, char end_char) {
  constexpr std::uint64_t kOnes = 0x0101010101010101;
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  // The high bit of each byte of `word` that is zero (and maybe of some after it).
  const auto zero_bytes = [](std::uint64_t word) { return (word - kOnes) & ~word & kHighBits; };
  const std::uint64_t ends = kOnes * static_cast<unsigned char>(end_char);
  const std::uint64_t backslashes = kOnes * static_cast<unsigned char>('\\');
  const std::size_t limit = std::min(s.size(), pos + kPiece);
  for (; pos + 8 <= limit; pos += 8) {
    std::uint64_t word = 0;
    std::memcpy(&word, s.data() + pos, 8);
    if (((word & kHighBits) | zero_bytes(word ^ ends) | zero_bytes(word ^ backslashes)) != 0) {
      break;
    }
  }
  return RunEnd(s.substr(0, limit), pos, [end_char](char b) { return IsPlainAscii(b, end_char); });
}

// The end of a piece of a UTF-8 run from `begin`: where the run ends, or a
// place within it where decoding starts afresh, which is a lead byte or one
// after three continuation bytes (no sequence is longer than four).
std::size_t Utf8PieceEnd(std::string_view s, std::size_t begin) {
  std::size_t end = RunEnd(s, begin, IsBeyondAscii);
  while (end < s.size() && IsBeyondAscii(s[end]) && IsContinuation(s[end]) &&
         !(end - begin >= 3 && IsContinuation(s[end - 1]) && IsContinuation(s[end - 2]) &&
           IsContinuation(s[end - 3]))) {
    ++end;
  }
  return end;
}

class AppendTo final : public Utf16Sink {
 public:
  explicit AppendTo(std::u16string& out) : out_(out) {}
  void Append(std::u16string_view units) override { out_ += units; }
  void AppendAscii(std::string_view ascii) override { out_.append(ascii.begin(), ascii.end()); }

 private:
  std::u16string& out_;
};

// The unit an escape stands for, from the character after the backslash at
// `pos` on; `pos` ends past the escape. Nothing for an escaped byte beyond
// ASCII, which starts a run of UTF-8 instead.
std::optional<char16_t> Escaped(std::string_view s, std::size_t& pos) {
  const char c = s[pos++];
  switch (c) {
    case 'a':
      return u'\a';
    case 'b':
      return u'\b';
    case 'e':
      return u'\x1b';
    case 'f':
      return u'\f';
    case 'n':
      return u'\n';
    case 'r':
      return u'\r';
    case 't':
      return u'\t';
    case 'v':
      return u'\v';
    case 'x': {
      unsigned value = 0;
      int count = 0;
      for (; count < 4 && pos < s.size() && IsHexDigit(s[pos]); ++count, ++pos) {
        value = value * 16 + static_cast<unsigned>(HexDigitValue(s[pos]));
      }
      return count != 0 ? static_cast<char16_t>(value) : u'x';
    }
    case '0':
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
    case '7': {
      unsigned value = static_cast<unsigned>(c - '0');
      for (int count = 1; count < 3 && pos < s.size() && s[pos] >= '0' && s[pos] <= '7';
           ++count, ++pos) {
        value = value * 8 + static_cast<unsigned>(s[pos] - '0');
      }
      return static_cast<char16_t>(value);
    }
    default:
      if (IsBeyondAscii(c)) {
        --pos;
        return std::nullopt;
      }
      return static_cast<char16_t>(c);
  }
}

}  // namespace

Number ParseHexNumber(std::string_view s, std::size_t pos) {
  std::size_t i = SkipSpaces(s, pos);
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  if (i + 2 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X') &&
      IsHexDigit(s[i + 2])) {
    i += 2;
  }
  const std::size_t digits = i;
  std::uint64_t value = 0;
  bool overflow = false;
  for (; i < s.size() && IsHexDigit(s[i]); ++i) {
    overflow = overflow || value > (std::numeric_limits<std::uint64_t>::max() >> 4);
    value = (value << 4) | static_cast<std::uint64_t>(HexDigitValue(s[i]));
  }
  if (i == digits) {
    return {0, pos};
  }
  if (overflow) {
    return {std::numeric_limits<std::uint64_t>::max(), i};
  }
  return {negative ? 0 - value : value, i};
}

// Plain ASCII is taken a run at a time, and so is UTF-8: a run of bytes beyond
// ASCII (the first of them possibly escaped) is decoded whole, up to the next
// ASCII byte, which is where wineserver's decoder ends a multi-byte sequence.
std::optional<std::size_t> DecodeString(std::string_view s, std::size_t pos, char end_char,
                                        Utf16Sink& out) {
  while (pos < s.size()) {
    const char c = s[pos];
    if (IsBeyondAscii(c)) {
      const std::size_t end = Utf8PieceEnd(s, pos);
      out.Append(rt::FromAnsi(s.substr(pos, end - pos)));
      pos = end;
      continue;
    }
    if (c == end_char) {
      return pos + 1;
    }
    if (c != '\\') {
      const std::size_t end = PlainAsciiEnd(s, pos, end_char);
      out.AppendAscii(s.substr(pos, end - pos));
      pos = end;
      continue;
    }
    if (++pos >= s.size()) {
      return std::nullopt;
    }
    if (const auto unit = Escaped(s, pos)) {
      out.Append(std::u16string_view(&*unit, 1));
    } else {
      const std::size_t end = Utf8PieceEnd(s, pos);
      out.Append(rt::FromAnsi(s.substr(pos, end - pos)));
      pos = end;
    }
  }
  return std::nullopt;
}

std::optional<std::size_t> DecodeString(std::string_view s, std::size_t pos, char end_char,
                                        std::u16string& out) {
  AppendTo sink(out);
  return DecodeString(s, pos, end_char, sink);
}

bool EqualsLower(std::u16string_view name, std::u16string_view lower) {
  if (name.size() != lower.size()) {
    return false;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    if (ToLowerCase(name[i]) != lower[i]) {
      return false;
    }
  }
  return true;
}

}  // namespace pellam::wine
