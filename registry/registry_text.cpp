// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/registry_text.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "registry/registry_constants.hpp"
#include "runtime/core/ansi_codec.hpp"

namespace pellam {
namespace {

std::string_view AsChars(std::span<const std::uint8_t> data) {
  return {reinterpret_cast<const char*>(data.data()), data.size()};
}

// Whether all of `chars` is ASCII: every byte looked at, with no early way
// out, which the compiler turns into a loop over many bytes at once.
bool IsAscii(std::string_view chars) {
  unsigned char bits = 0;
  for (char c : chars) {
    bits |= static_cast<unsigned char>(c);
  }
  return bits < 0x80;
}

// Text in the ANSI code page as the program's text. ASCII, which most data is,
// reads the same in every code page and is widened without decoding.
std::u16string AnsiText(std::string_view chars) {
  return IsAscii(chars) ? rt::AsciiToUtf16(chars) : rt::FromAnsi(chars);
}

// Turns the first `count` bytes held in `storage` into as many units, one per
// byte, from the last block to the first: a block's units then cover only
// bytes that have been read already.
void WidenInPlace(std::u16string& storage, std::size_t count) {
  if (storage.size() < count) {
    storage.resize(count);
  }
  constexpr std::size_t kBlock = 4096;
  unsigned char block[kBlock];
  char16_t* units = storage.data();
  for (std::size_t end = count; end > 0;) {
    const std::size_t begin = end > kBlock ? end - kBlock : 0;
    std::memcpy(block, reinterpret_cast<const char*>(units) + begin, end - begin);
    for (std::size_t i = begin; i < end; ++i) {
      units[i] = block[i - begin];
    }
    end = begin;
  }
  storage.resize(count);
}

std::string UnsignedText(std::uint64_t value, int base, std::size_t width) {
  char digits[32];
  const auto end = std::to_chars(digits, digits + sizeof digits, value, base).ptr;
  std::string text(digits, end);
  if (text.size() < width) {
    text.insert(0, width - text.size(), '0');
  }
  return text;
}

// "0x0000002a (42)": regedit's form, the decimal read as unsigned.
std::u16string NumberText(std::uint64_t value, std::size_t hex_digits) {
  return rt::AsciiToUtf16("0x" + UnsignedText(value, 16, hex_digits) + " (" +
                          UnsignedText(value, 10, 0) + ")");
}

std::uint64_t LittleEndian(std::span<const std::uint8_t> bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = bytes.size(); i-- > 0;) {
    value = (value << 8) | bytes[i];
  }
  return value;
}

std::uint64_t BigEndian(std::span<const std::uint8_t> bytes) {
  std::uint64_t value = 0;
  for (std::uint8_t byte : bytes) {
    value = (value << 8) | byte;
  }
  return value;
}

std::u16string HexBytesText(std::span<const std::uint8_t> data) {
  std::string text;
  for (std::uint8_t byte : data) {
    if (!text.empty()) {
      text.push_back(' ');
    }
    text += UnsignedText(byte, 16, 2);
  }
  return rt::AsciiToUtf16(text);
}

std::u16string MultiStringText(std::string_view chars) {
  std::string text;
  bool first = true;
  while (!chars.empty()) {
    const std::size_t nul = chars.find('\0');
    const std::string_view item = chars.substr(0, nul);
    if (item.empty()) {
      break;  // an empty string ends the list
    }
    if (!first) {
      text.push_back(' ');
    }
    text += item;
    first = false;
    chars.remove_prefix(nul == std::string_view::npos ? chars.size() : nul + 1);
  }
  return AnsiText(text);
}

}  // namespace

std::u16string RegistryDataText(std::uint32_t type, std::span<const std::uint8_t> data) {
  const std::string_view chars = AsChars(data);
  switch (type) {
    case reg::kTypeSz:
    case reg::kTypeExpandSz:
      return AnsiText(chars.substr(0, chars.find('\0')));
    case reg::kTypeMultiSz:
      return MultiStringText(chars);
    case reg::kTypeDword:
      if (data.size() == 4) {
        return NumberText(LittleEndian(data), 8);
      }
      break;
    case reg::kTypeDwordBigEndian:
      if (data.size() == 4) {
        return NumberText(BigEndian(data), 8);
      }
      break;
    case reg::kTypeQword:
      if (data.size() == 8) {
        return NumberText(LittleEndian(data), 16);
      }
      break;
    default:
      break;
  }
  return HexBytesText(data);
}

std::u16string RegistryDataText(std::uint32_t type, std::u16string storage, std::size_t size) {
  size = std::min(size, storage.size() * sizeof(char16_t));
  const std::string_view chars(reinterpret_cast<const char*>(storage.data()), size);
  if (type == reg::kTypeSz || type == reg::kTypeExpandSz) {
    const std::string_view text = chars.substr(0, chars.find('\0'));
    if (IsAscii(text)) {
      WidenInPlace(storage, text.size());
      return storage;
    }
  }
  return RegistryDataText(
      type, std::span(reinterpret_cast<const std::uint8_t*>(chars.data()), chars.size()));
}

}  // namespace pellam
