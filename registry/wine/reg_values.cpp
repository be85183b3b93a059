// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <algorithm>
#include <string>

#include "registry/registry_constants.hpp"
#include "registry/wine/reg_file.hpp"
#include "registry/wine/reg_syntax.hpp"
#include "registry/wine/reg_values.hpp"
#include "runtime/core/ansi_codec.hpp"

namespace pellam::wine {
namespace {

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

// String data as wineserver holds it.
class Utf16LeSink final : public Utf16Sink {
 public:
  explicit Utf16LeSink(ByteSink& out) : out_(out) {}
  void Append(std::u16string_view units) override {
    std::string bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
      bytes.push_back(static_cast<char>(unit & 0xFF));
      bytes.push_back(static_cast<char>(unit >> 8));
    }
    out_.Put(bytes);
  }
  void AppendAscii(std::string_view ascii) override {
    std::string bytes;
    bytes.reserve(ascii.size() * 2);
    for (char c : ascii) {
      bytes.push_back(c);
      bytes.push_back('\0');
    }
    out_.Put(bytes);
  }

 private:
  ByteSink& out_;
};

// String data as the A functions return it, converted a piece at a time so
// that no UTF-16 copy of a long string is ever held whole.
class AnsiSink final : public Utf16Sink {
 public:
  explicit AnsiSink(ByteSink& out) : out_(out) {}
  void Append(std::u16string_view units) override {
    pending_ += units;
    if (pending_.size() >= kFlushAt) {
      Flush(false);
    }
  }
  // ASCII is the same in the ANSI code page: passed on as it is.
  void AppendAscii(std::string_view ascii) override {
    Flush(true);
    out_.Put(ascii);
  }
  void Finish() { Flush(true); }

 private:
  static constexpr std::size_t kFlushAt = std::size_t{1} << 16;

  // A high surrogate at the end waits for the unit that may pair with it.
  void Flush(bool all) {
    if (pending_.empty()) {
      return;
    }
    std::size_t count = pending_.size();
    if (!all && count > 0 && IsHighSurrogate(pending_.back())) {
      --count;
    }
    out_.Put(rt::ToAnsi(std::u16string_view(pending_).substr(0, count)));
    pending_.erase(0, count);
  }

  ByteSink& out_;
  std::u16string pending_;
};

class AppendToValue final : public ByteSink {
 public:
  explicit AppendToValue(std::vector<std::uint8_t>& out) : out_(out) {}
  void Put(std::string_view bytes) override { out_.insert(out_.end(), bytes.begin(), bytes.end()); }

 private:
  std::vector<std::uint8_t>& out_;
};

bool IsString(std::uint32_t type) {
  return type == reg::kTypeSz || type == reg::kTypeExpandSz || type == reg::kTypeMultiSz;
}

enum class DataForm { kString, kDword, kHex, kTypedHex };

struct DataTag {
  std::string_view tag;
  std::uint32_t type;
  DataForm form;
};

constexpr DataTag kDataTags[] = {
    {"\"", reg::kTypeSz, DataForm::kString},
    {"str:\"", reg::kTypeSz, DataForm::kString},
    {"str(2):\"", reg::kTypeExpandSz, DataForm::kString},
    {"str(7):\"", reg::kTypeMultiSz, DataForm::kString},
    {"hex:", reg::kTypeBinary, DataForm::kHex},
    {"dword:", reg::kTypeDword, DataForm::kDword},
    {"hex(", reg::kTypeNone, DataForm::kTypedHex},
};

// Decodes quoted string data from `pos` into `out`, with the terminating NUL
// that wineserver gives every string it loads.
bool ParseString(std::string_view s, std::size_t pos, Strings strings, ByteSink& out) {
  if (strings == Strings::kUtf16) {
    Utf16LeSink sink(out);
    if (!DecodeString(s, pos, '"', sink)) {
      return false;
    }
    sink.Append(std::u16string_view(u"\0", 1));
    return true;
  }
  AnsiSink sink(out);
  if (!DecodeString(s, pos, '"', sink)) {
    return false;
  }
  sink.Append(std::u16string_view(u"\0", 1));
  sink.Finish();
  return true;
}

// Parses a value's data part into `type` and `out`, reading continuation
// lines of hex data from `reader` as wineserver does (whatever they hold).
// With `keep` false only the lines are consumed. False for malformed data,
// when string data may have gone to `out` in part; hex data goes only whole.
bool ParseData(LineReader& reader, std::string_view s, bool keep, Strings strings,
               std::uint32_t& type, ByteSink& out) {
  const DataTag* tag = nullptr;
  for (const DataTag& candidate : kDataTags) {
    if (s.starts_with(candidate.tag)) {
      tag = &candidate;
      break;
    }
  }
  if (tag == nullptr) {
    return false;
  }
  std::size_t pos = tag->tag.size();
  type = tag->type;
  std::string bytes;
  switch (tag->form) {
    case DataForm::kString:
      return !keep || ParseString(s, pos, strings, out);
    case DataForm::kDword: {
      const auto dword = static_cast<std::uint32_t>(ParseHexNumber(s, pos).value);
      for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<char>(dword >> shift));
      }
      out.Put(bytes);
      return true;
    }
    case DataForm::kTypedHex: {
      const Number number = ParseHexNumber(s, pos);
      if (s.substr(number.end, 2) != "):") {
        return false;
      }
      type = static_cast<std::uint32_t>(number.value);
      pos = number.end + 2;
      break;
    }
    case DataForm::kHex:
      break;
  }
  for (;;) {
    while (pos < s.size() && IsHexDigit(s[pos])) {
      const Number byte = ParseHexNumber(s, pos);
      if (static_cast<std::uint32_t>(byte.value) > 0xFF) {
        return false;
      }
      if (keep) {
        bytes.push_back(static_cast<char>(byte.value));
      }
      pos = SkipSpaces(s, byte.end);
      if (pos < s.size() && s[pos] == ',') {
        ++pos;
      }
      pos = SkipSpaces(s, pos);
    }
    pos = SkipSpaces(s, pos);
    if (pos >= s.size()) {
      break;
    }
    if (s[pos] != '\\' || !reader.Next(s)) {
      return false;
    }
    pos = SkipSpaces(s, 0);
  }
  if (keep && strings == Strings::kAnsi && IsString(type)) {
    // Strings given as hex bytes hold UTF-16LE; a last odd byte is dropped.
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
      units[i] = static_cast<char16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                       (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
    }
    bytes = rt::ToAnsi(units);
  }
  out.Put(bytes);
  return true;
}

class Discard final : public ByteSink {
 public:
  void Put(std::string_view /*bytes*/) override {}
};

// Reads the value line `s` (`"name"=data` or `@=data`) up to its data part:
// where that begins, or nothing when the name part is malformed, which
// wineserver skips. `name` is set to the value's name.
std::optional<std::size_t> ParseName(std::string_view s, std::u16string& name) {
  std::size_t pos = 1;
  if (s[0] == '"') {
    const auto end = DecodeString(s, 1, '"', name);
    if (!end) {
      return std::nullopt;
    }
    pos = *end;
  }
  pos = SkipSpaces(s, pos);
  if (pos >= s.size() || s[pos] != '=') {
    return std::nullopt;
  }
  return SkipSpaces(s, pos + 1);
}

}  // namespace

void PassOverValue(LineReader& reader, std::string_view line) {
  std::u16string name;
  if (const auto data = ParseName(line, name)) {
    std::uint32_t type = 0;
    Discard discard;
    ParseData(reader, line.substr(*data), false, Strings::kUtf16, type, discard);
  }
}

std::optional<ValueLine> FindValueLine(std::string_view text, std::span<const Section> sections,
                                       std::u16string_view lower_name) {
  std::optional<ValueLine> found;
  for (const Section& section : sections) {
    const std::size_t section_end = std::min(section.end, text.size());
    LineReader reader(text, section.begin, section_end);
    std::string_view line;
    while (reader.Next(line)) {
      const std::size_t pos = SkipSpaces(line, 0);
      if (pos >= line.size() || (line[pos] != '"' && line[pos] != '@')) {
        continue;
      }
      const std::string_view s = line.substr(pos);
      std::u16string name;
      const auto data = ParseName(s, name);
      if (!data) {
        continue;
      }
      const auto begin = static_cast<std::size_t>(s.data() - text.data());
      if (EqualsLower(name, lower_name)) {
        found = ValueLine{begin + *data, begin + s.size(), reader.position(), section_end};
      }
      std::uint32_t type = 0;
      Discard discard;
      ParseData(reader, s.substr(*data), false, Strings::kUtf16, type, discard);
    }
  }
  return found;
}

std::optional<std::uint32_t> DecodeValueData(std::string_view text, const ValueLine& line,
                                             Strings strings, ByteSink& out) {
  LineReader reader(text, line.next, line.section_end);
  std::uint32_t type = 0;
  if (!ParseData(reader, text.substr(line.data, line.line_end - line.data), true, strings, type,
                 out)) {
    return std::nullopt;
  }
  return type;
}

std::optional<Value> FindValue(std::string_view text, std::span<const Section> sections,
                               std::u16string_view lower_name) {
  const auto line = FindValueLine(text, sections, lower_name);
  if (!line) {
    return std::nullopt;
  }
  Value value;
  AppendToValue sink(value.data);
  if (const auto type = DecodeValueData(text, *line, Strings::kUtf16, sink)) {
    value.type = *type;
  } else {
    value = Value{};
  }
  return value;
}

}  // namespace pellam::wine
