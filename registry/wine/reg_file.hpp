// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pellam::wine {

// Reading one of a Wine prefix's registry files (system.reg, user.reg,
// userdef.reg) the way wineserver loads it, but only for the keys asked for:
// a scan over the text finds their sections, and values are parsed from those
// sections when queried, so nothing is built for the rest of the file.

// Where a key's sections lie in the file: the text after each of its key
// lines, up to the line that ends the section. A key may have several.
struct Section {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool operator==(const Section&) const = default;
};

struct KeyFacts {
  bool exists = false;
  bool is_link = false;  // a "#link" line stood in one of its sections
  std::vector<Section> sections;
  bool operator==(const KeyFacts&) const = default;
};

// Scans `text` for the key whose path below the file's root is `lower_path`
// (names already through ToLowerCase) and for each of its ancestors:
// result[i] describes the key named by the first i names, result[0] being the
// file's root, which always exists. A key exists when a section names it or
// any key below it.
std::vector<KeyFacts> ScanKeys(std::string_view text, std::span<const std::u16string> lower_path);

// The same facts from reading every line of `text` as wineserver does, with
// none of the shortcuts by which ScanKeys passes over lines: slower, and the
// yardstick the tests and the fuzzer hold ScanKeys to.
std::vector<KeyFacts> ScanKeysLineByLine(std::string_view text,
                                         std::span<const std::u16string> lower_path);

struct Value {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // strings as wineserver holds them (Strings::kUtf16)
};

// How DecodeValueData gives the data of the string types (REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ).
enum class Strings {
  kUtf16,  // as wineserver holds them: UTF-16LE, with the NUL it adds to quoted ones
  kAnsi,   // as the A functions return them: converted to the ANSI code page
};

// The value named `lower_name` (empty for the default value) in a key's
// sections; with duplicates the last data wins, and a malformed data part
// leaves REG_NONE with no data. Time and memory are linear in the sections'
// size, whatever they hold.
std::optional<Value> FindValue(std::string_view text, std::span<const Section> sections,
                               std::u16string_view lower_name);

// FindValue in two steps, for data too long to be held twice: where the value
// lies, then its data, decoded straight to where it is wanted.
//
// Where the value that FindValue would give lies: its data part runs from
// `data` to `line_end`, and hex data may continue onto the lines from `next`
// to `section_end`.
struct ValueLine {
  std::size_t data = 0;
  std::size_t line_end = 0;
  std::size_t next = 0;
  std::size_t section_end = 0;
};
std::optional<ValueLine> FindValueLine(std::string_view text, std::span<const Section> sections,
                                       std::u16string_view lower_name);

// Where decoded data goes, a run of bytes at a time.
class ByteSink {
 public:
  virtual void Put(std::string_view bytes) = 0;

 protected:
  ~ByteSink() = default;
};

// The type of the value at `line`, its data handed to `out`; nothing when the
// data part is malformed (the value is then REG_NONE with no data). A
// malformed string shows only after part of it has gone to `out`, so a first
// pass that merely counts the bytes tells whether, and how many, a second
// pass will write.
std::optional<std::uint32_t> DecodeValueData(std::string_view text, const ValueLine& line,
                                             Strings strings, ByteSink& out);

// A key path as wineserver splits it: parts between runs of backslashes. A
// leading backslash makes the path invalid (nullopt); trailing ones are ignored.
std::optional<std::vector<std::u16string>> SplitKeyPath(std::u16string_view path);

}  // namespace pellam::wine
