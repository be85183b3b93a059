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
  explicit Utf16LeSink(std::vector<std::uint8_t>& out) : out_(out) {}
  void Append(std::u16string_view units) override {
    for (char16_t unit : units) {
      out_.push_back(static_cast<std::uint8_t>(unit & 0xFF));
      out_.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
  }
  void AppendAscii(std::string_view ascii) override {
    for (char c : ascii) {
      out_.push_back(static_cast<std::uint8_t>(c));
      out_.push_back(0);
    }
  }

 private:
  std::vector<std::uint8_t>& out_;
};

// String data as the A functions return it, converted a piece at a time so
// that no UTF-16 copy of a long string is ever held whole.
class AnsiSink final : public Utf16Sink {
 public:
  explicit AnsiSink(std::vector<std::uint8_t>& out) : out_(out) {}
  void Append(std::u16string_view units) override {
    pending_ += units;
    if (pending_.size() >= kFlushAt) {
      Flush(false);
    }
  }
  // ASCII is the same in the ANSI code page: copied as it is.
  void AppendAscii(std::string_view ascii) override {
    Flush(true);
    out_.insert(out_.end(), ascii.begin(), ascii.end());
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
    const std::string ansi = rt::ToAnsi(std::u16string_view(pending_).substr(0, count));
    out_.insert(out_.end(), ansi.begin(), ansi.end());
    pending_.erase(0, count);
  }

  std::vector<std::uint8_t>& out_;
  std::u16string pending_;
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

// Decodes quoted string data from `pos` into `value`, with the terminating
// NUL that wineserver gives every string it loads.
bool ParseString(std::string_view s, std::size_t pos, Strings strings, Value& value) {
  if (strings == Strings::kUtf16) {
    Utf16LeSink sink(value.data);
    if (!DecodeString(s, pos, '"', sink)) {
      return false;
    }
    sink.Append(std::u16string_view(u"\0", 1));
    return true;
  }
  value.data.reserve(s.size() - pos);  // exact for ASCII text
  AnsiSink sink(value.data);
  if (!DecodeString(s, pos, '"', sink)) {
    return false;
  }
  sink.Append(std::u16string_view(u"\0", 1));
  sink.Finish();
  return true;
}

// Parses a value's data part, reading continuation lines of hex data from
// `reader` as wineserver does (whatever they hold). With `keep` false only the
// lines are consumed. False for malformed data.
bool ParseData(LineReader& reader, std::string_view s, bool keep, Strings strings, Value& value) {
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
  value.type = tag->type;
  switch (tag->form) {
    case DataForm::kString:
      return !keep || ParseString(s, pos, strings, value);
    case DataForm::kDword: {
      const auto dword = static_cast<std::uint32_t>(ParseHexNumber(s, pos).value);
      for (int shift = 0; shift < 32; shift += 8) {
        value.data.push_back(static_cast<std::uint8_t>(dword >> shift));
      }
      return true;
    }
    case DataForm::kTypedHex: {
      const Number type = ParseHexNumber(s, pos);
      if (s.substr(type.end, 2) != "):") {
        return false;
      }
      value.type = static_cast<std::uint32_t>(type.value);
      pos = type.end + 2;
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
        value.data.push_back(static_cast<std::uint8_t>(byte.value));
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
  if (keep && strings == Strings::kAnsi && IsString(value.type)) {
    // Strings given as hex bytes hold UTF-16LE; a last odd byte is dropped.
    std::u16string units(value.data.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
      units[i] = static_cast<char16_t>(value.data[2 * i] | (value.data[2 * i + 1] << 8));
    }
    const std::string ansi = rt::ToAnsi(units);
    value.data.assign(ansi.begin(), ansi.end());
  }
  return true;
}

struct ParsedValue {
  bool wanted = false;
  Value value;
};

// Parses the value line `s` (`"name"=data` or `@=data`); nothing when its name
// part is malformed, which wineserver skips. The data is kept only for the
// value named `lower_name`, when given.
std::optional<ParsedValue> ParseValue(LineReader& reader, std::string_view s,
                                      const std::u16string_view* lower_name, Strings strings) {
  std::u16string name;
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
  pos = SkipSpaces(s, pos + 1);
  ParsedValue parsed;
  parsed.wanted = lower_name != nullptr && EqualsLower(name, *lower_name);
  if (!ParseData(reader, s.substr(pos), parsed.wanted, strings, parsed.value)) {
    parsed.value = Value{};
  }
  return parsed;
}

}  // namespace

void PassOverValue(LineReader& reader, std::string_view line) {
  ParseValue(reader, line, nullptr, Strings::kUtf16);
}

std::optional<Value> FindValue(std::string_view text, std::span<const Section> sections,
                               std::u16string_view lower_name, Strings strings) {
  std::optional<Value> found;
  for (const Section& section : sections) {
    LineReader reader(text, section.begin, std::min(section.end, text.size()));
    std::string_view line;
    while (reader.Next(line)) {
      const std::size_t pos = SkipSpaces(line, 0);
      if (pos >= line.size() || (line[pos] != '"' && line[pos] != '@')) {
        continue;
      }
      auto parsed = ParseValue(reader, line.substr(pos), &lower_name, strings);
      if (parsed && parsed->wanted) {
        found = std::move(parsed->value);
      }
    }
  }
  return found;
}

}  // namespace pellam::wine
