#include "registry/wine/reg_file.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

#include "registry/registry_constants.hpp"
#include "registry/wine/byte_blocks.hpp"
#include "registry/wine/lower_case.hpp"
#include "runtime/core/ansi_codec.hpp"

namespace pellam::wine {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int HexDigitValue(char c) {
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

bool IsHexDigit(char c) {
  return HexDigitValue(c) >= 0;
}

std::size_t SkipSpaces(std::string_view s, std::size_t pos) {
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

// Decodes a quoted string or a bracketed key name from `pos` up to the
// unescaped `end_char`, appending UTF-16 units to `out`. Returns the position
// after `end_char`, or nothing when the line ends first. Bytes above 0x7F are
// UTF-8 (the ANSI codec's encoding on Linux, where this backend runs).
std::optional<std::size_t> DecodeString(std::string_view s, std::size_t pos, char end_char,
                                        std::u16string& out) {
  std::string utf8;
  auto flush = [&] {
    if (!utf8.empty()) {
      out += rt::FromAnsi(utf8);
      utf8.clear();
    }
  };
  while (pos < s.size()) {
    char c = s[pos++];
    if (static_cast<unsigned char>(c) >= 0x80) {
      utf8.push_back(c);
      continue;
    }
    flush();
    if (c == end_char) {
      return pos;
    }
    if (c != '\\') {
      out.push_back(static_cast<char16_t>(c));
      continue;
    }
    if (pos >= s.size()) {
      return std::nullopt;
    }
    c = s[pos++];
    switch (c) {
      case 'a':
        out.push_back(u'\a');
        break;
      case 'b':
        out.push_back(u'\b');
        break;
      case 'e':
        out.push_back(u'\x1b');
        break;
      case 'f':
        out.push_back(u'\f');
        break;
      case 'n':
        out.push_back(u'\n');
        break;
      case 'r':
        out.push_back(u'\r');
        break;
      case 't':
        out.push_back(u'\t');
        break;
      case 'v':
        out.push_back(u'\v');
        break;
      case 'x': {
        unsigned value = 0;
        int count = 0;
        for (; count < 4 && pos < s.size() && IsHexDigit(s[pos]); ++count, ++pos) {
          value = value * 16 + static_cast<unsigned>(HexDigitValue(s[pos]));
        }
        out.push_back(count != 0 ? static_cast<char16_t>(value) : u'x');
        break;
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
        out.push_back(static_cast<char16_t>(value));
        break;
      }
      default:
        if (static_cast<unsigned char>(c) >= 0x80) {
          utf8.push_back(c);
        } else {
          out.push_back(static_cast<char16_t>(c));
        }
        break;
    }
  }
  return std::nullopt;
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

void AppendUtf16Le(std::vector<std::uint8_t>& data, char16_t unit) {
  data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
  data.push_back(static_cast<std::uint8_t>(unit >> 8));
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

// Parses a value's data part, reading continuation lines of hex data from
// `reader` as wineserver does (whatever they hold). With `keep` false only the
// lines are consumed. False for malformed data.
bool ParseData(LineReader& reader, std::string_view s, bool keep, Value& value) {
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
    case DataForm::kString: {
      if (!keep) {
        return true;
      }
      std::u16string units;
      if (!DecodeString(s, pos, '"', units)) {
        return false;
      }
      units.push_back(u'\0');  // wineserver terminates every string it loads
      for (char16_t unit : units) {
        AppendUtf16Le(value.data, unit);
      }
      return true;
    }
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
      return true;
    }
    if (s[pos] != '\\' || !reader.Next(s)) {
      return false;
    }
    pos = SkipSpaces(s, 0);
  }
}

struct ParsedValue {
  bool wanted = false;
  Value value;
};

// Parses the value line `s` (`"name"=data` or `@=data`); nothing when its name
// part is malformed, which wineserver skips. The data is kept only for the
// value named `lower_name`, when given.
std::optional<ParsedValue> ParseValue(LineReader& reader, std::string_view s,
                                      const std::u16string_view* lower_name) {
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
  if (!ParseData(reader, s.substr(pos), parsed.wanted, parsed.value)) {
    parsed.value = Value{};
  }
  return parsed;
}

struct KeyMatch {
  bool valid = false;
  std::size_t depth = 0;   // names in the key line
  std::size_t common = 0;  // leading names that equal the wanted path's
};

KeyMatch MatchKey(std::u16string_view name, std::span<const std::u16string> lower_path) {
  KeyMatch match;
  if (name.empty() || name[0] == u'\0') {
    match.valid = true;  // the file's root
    return match;
  }
  if (name[0] == u'\\') {
    return match;
  }
  std::size_t pos = 0;
  while (pos < name.size()) {
    const std::size_t end = std::min(name.find(u'\\', pos), name.size());
    const std::u16string_view part = name.substr(pos, end - pos);
    if (part.size() > reg::kMaxNameLength) {
      return match;
    }
    if (match.common == match.depth && match.depth < lower_path.size() &&
        EqualsLower(part, lower_path[match.depth])) {
      ++match.common;
    }
    ++match.depth;
    pos = name.find_first_not_of(u'\\', end);
    if (pos == std::u16string_view::npos) {
      break;
    }
  }
  match.valid = true;
  return match;
}

// "#arch=" before the first key: wineserver stops loading a file whose
// architecture it does not know or that changes within the file.
bool AcceptGlobalOption(std::string_view s, std::string_view& arch) {
  if (!s.starts_with("#arch=")) {
    return true;
  }
  const std::string_view value = s.substr(6);
  if (value != "win32" && value != "win64") {
    return false;
  }
  if (arch.empty()) {
    arch = value;
  }
  return arch == value;
}

// The scan's position in the file, as wineserver's loader would see it.
class KeyScanner {
 public:
  // With `line_by_line` every line is read, as wineserver reads them; without
  // it, lines that cannot change the result are passed over.
  KeyScanner(std::string_view text, std::span<const std::u16string> lower_path, bool line_by_line)
      : text_(text),
        lower_path_(lower_path),
        facts_(lower_path.size() + 1),
        section_end_(text.size()),
        line_by_line_(line_by_line) {
    facts_[0].exists = true;
    SpellPath();
  }

  std::vector<KeyFacts> Run() {
    LineReader header(text_, 0, text_.size());
    std::string_view line;
    if (!header.Next(line) || line != kHeader) {
      return std::move(facts_);  // wineserver treats the file as empty
    }
    std::size_t pos = header.position();
    while (pos < text_.size() && !stopped_) {
      pos = Quiet() ? SkipToKeyLine(pos) : ProcessLine(pos);
    }
    if (current_ != kNone) {
      facts_[current_].sections.push_back({section_begin_, section_end_});
    }
    return std::move(facts_);
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // Inside the section of a well-formed key that is not on the wanted path,
  // nothing but the next key line matters.
  bool Quiet() const { return have_key_ && current_ == kNone && !line_by_line_; }

  // How the wanted path looks in a key line when written plainly, as Wine
  // writes it: its names joined by doubled backslashes. For each position in
  // that spelling, how many of the path's names a plainly written key line
  // that first differs there has in common with it. Only for paths whose
  // names are plain printable ASCII; others always take the exact way.
  void SpellPath() {
    for (const std::u16string& name : lower_path_) {
      const bool plain = std::all_of(name.begin(), name.end(), [](char16_t unit) {
        return unit >= u' ' && unit <= u'~' && unit != u'\\' && unit != u']';
      });
      if (!plain) {
        return;
      }
    }
    for (std::size_t i = 0; i < lower_path_.size(); ++i) {
      if (i > 0) {
        // A plain character where the separator starts: name i - 1 goes on.
        spelling_ += '\\';
        common_at_.push_back(i - 1);
        // One after a lone backslash would be an escape: the exact way decides.
        spelling_ += '\\';
        common_at_.push_back(kNone);
      }
      for (char16_t unit : lower_path_[i]) {
        spelling_ += static_cast<char>(unit);
        common_at_.push_back(i);
      }
    }
    // Past the end: the last name goes on.
    common_at_.push_back(lower_path_.empty() ? 0 : lower_path_.size() - 1);
    spelling_.resize(spelling_.size() + kBlockSize);  // room for a whole last block
    fast_ = true;
  }

  // Whether the key line at `bracket` may be passed over: a key line that
  // leaves the wanted path, written plainly up to where it leaves it and
  // closed by a plain ']' on its own line, so that it is well formed and its
  // section holds nothing wanted. It still tells which keys exist. Anything
  // else is left to ProcessLine. Most key lines differ from the wanted path
  // in their first bytes but share long prefixes with each other
  // (Software\\Classes\\...), so whole blocks are compared, not byte after byte.
  bool PassOver(std::size_t bracket) {
    if (!fast_) {
      return false;
    }
    const char* name = text_.data() + bracket + 1;
    const std::size_t room = text_.size() - bracket - 1;
    const std::size_t differ = FirstDifference(name, room);
    if (differ == kNone) {
      return false;
    }
    const std::size_t common = CommonNames(name, differ, room);
    if (common == kNone) {
      return false;
    }
    // The name ends at the first ']' after `differ` (what comes before is the
    // path's plain spelling), which must come before the line ends and not be
    // escaped; a name this short holds no over-long part.
    const std::size_t close = FindNameEnd(name, differ, room);
    if (close == kNone || name[close] != ']' || name[close - 1] == '\\' ||
        close > reg::kMaxNameLength) {
      return false;
    }
    if (!facts_[common].exists) {
      MarkExisting(common);
    }
    return true;
  }

  // Where the `room` bytes at `name` first differ from the path's spelling,
  // letters' case aside; the position just past the spelling when they hold
  // all of it. kNone when the text ends first.
  std::size_t FirstDifference(const char* name, std::size_t room) const {
    const std::size_t path_size = common_at_.size() - 1;
    for (std::size_t at = 0; at + kBlockSize <= room; at += kBlockSize) {
      std::uint32_t mismatches = FoldedMismatches(name + at, spelling_.data() + at);
      if (at + kBlockSize > path_size) {
        mismatches |= ~0U << (path_size - at);  // bytes past the path never match
      }
      if (mismatches != 0) {
        return at + static_cast<std::size_t>(std::countr_zero(mismatches));
      }
    }
    return kNone;
  }

  // Where the first ']' or line break (see ClosesOrBreaks) lies in the `room`
  // bytes at `name`, from `from` on and not far past reg::kMaxNameLength; kNone
  // when there is none. Four blocks on hold the end of most names; beyond
  // them, a block at a time.
  static std::size_t FindNameEnd(const char* name, std::size_t from, std::size_t room) {
    if (from + 4 * kBlockSize > room) {
      return kNone;
    }
    if (const std::uint64_t stops = ClosesOrBreaks<4>(name + from); stops != 0) {
      return from + static_cast<std::size_t>(std::countr_zero(stops));
    }
    for (std::size_t at = from + 4 * kBlockSize;
         at <= reg::kMaxNameLength && at + kBlockSize <= room; at += kBlockSize) {
      if (const std::uint64_t stops = ClosesOrBreaks<1>(name + at); stops != 0) {
        return at + static_cast<std::size_t>(std::countr_zero(stops));
      }
    }
    return kNone;
  }

  // How many names a key line has in common with the wanted path when its
  // name (`room` bytes at `name`) first differs from the path's spelling at
  // `differ`, and is written plainly up to there; kNone when that takes
  // decoding to tell (an escape, a run of separators, bytes beyond ASCII, the
  // wanted key itself).
  std::size_t CommonNames(const char* name, std::size_t differ, std::size_t room) const {
    const std::size_t path_size = common_at_.size() - 1;
    const auto plain = [](char c) { return c >= ' ' && c <= '~' && c != '\\' && c != ']'; };
    if (plain(name[differ])) {
      return common_at_[differ];  // the names differ there, or the line's goes on
    }
    if (name[differ] != '\\' || differ + 2 >= room || name[differ + 1] != '\\') {
      return kNone;
    }
    if (differ == 0 || spelling_[differ - 1] == '\\') {
      return kNone;  // no name yet: a run of separators, or a leading one
    }
    // A separator where the path's name goes on: the line's name is shorter.
    if (differ < path_size) {
      return common_at_[differ];
    }
    // A separator and a name after the whole path: a key below the wanted one.
    if (plain(name[differ + 2])) {
      return lower_path_.size();
    }
    return kNone;
  }

  // The first `depth` keys of the wanted path exist. Keys are marked from the
  // root down, so the deepest one tells whether there is anything to do.
  void MarkExisting(std::size_t depth) {
    for (std::size_t i = depth; i >= 1 && !facts_[i].exists; --i) {
      facts_[i].exists = true;
    }
  }

  // Jumps to the next line that starts with '[' and that wineserver surely
  // reads as a line of its own: one that no hex value can continue onto
  // because the line before it has no backslash. Anything less clear is
  // left to ProcessLine, line by line.
  std::size_t SkipToKeyLine(std::size_t pos) {
    for (std::size_t from = pos;;) {
      const void* found = std::memchr(text_.data() + from, '[', text_.size() - from);
      if (found == nullptr) {
        return text_.size();
      }
      const auto bracket = static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
      // At the start of a line after an empty one, as Wine writes every key
      // line: no value can swallow it. The common case, settled at once.
      if (bracket >= 2 && text_[bracket - 1] == '\n' && text_[bracket - 2] == '\n') {
        if (PassOver(bracket)) {
          from = bracket + 1;
          continue;
        }
        return ProcessLine(bracket);
      }
      std::size_t line_begin = bracket;
      while (line_begin > pos && text_[line_begin - 1] != '\n' && IsSpace(text_[line_begin - 1])) {
        --line_begin;
      }
      if (line_begin > pos && text_[line_begin - 1] != '\n') {
        from = bracket + 1;  // not at the start of a line
        continue;
      }
      if (line_begin > pos) {
        // The line before ends at line_begin - 1 and starts no earlier than pos.
        const std::size_t newline = line_begin - 1;
        const std::size_t previous = text_.rfind('\n', newline - 1);
        const std::size_t previous_begin =
            previous == std::string_view::npos ? pos : std::max(pos, previous + 1);
        const std::string_view before = text_.substr(previous_begin, newline - previous_begin);
        if (before.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos) {
          // Not clear: read line by line up to that line, which a hex value
          // may swallow.
          while (pos <= line_begin && pos < text_.size() && Quiet()) {
            pos = ProcessLine(pos);
          }
          return pos;
        }
      }
      return ProcessLine(line_begin);
    }
  }

  // Handles the line at `pos` (and any lines a hex value continues onto) as
  // wineserver does; returns where the next line starts.
  std::size_t ProcessLine(std::size_t pos) {
    LineReader reader(text_, pos, text_.size());
    std::string_view line;
    reader.Next(line);
    const std::size_t first = SkipSpaces(line, 0);
    if (first >= line.size()) {
      return reader.position();
    }
    const std::string_view s = line.substr(first);
    if (s[0] == '[') {
      if (current_ != kNone) {
        facts_[current_].sections.push_back({section_begin_, pos});
        current_ = kNone;
      }
      const KeyMatch match = MatchKeyLine(s);
      have_key_ = match.valid;
      if (match.valid) {
        MarkExisting(match.common);
        if (match.common == match.depth) {
          current_ = match.depth;
          section_begin_ = reader.position();
        }
      }
    } else if (s[0] == '"' || s[0] == '@') {
      // Values are parsed when queried; here only lines that a hex value
      // continues onto must be passed over, and those need a backslash.
      if (have_key_ && s.find('\\') != std::string_view::npos) {
        ParseValue(reader, s, nullptr);
      }
    } else if (s[0] == '#') {
      if (have_key_) {
        if (current_ != kNone && s.starts_with("#link")) {
          facts_[current_].is_link = true;
        }
      } else if (!AcceptGlobalOption(s, arch_)) {
        stopped_ = true;
        section_end_ = pos;
      }
    }
    return reader.position();
  }

  // Decodes the key line's name as wineserver does and compares its parts.
  KeyMatch MatchKeyLine(std::string_view s) {
    name_.clear();
    return DecodeString(s, 1, ']', name_) ? MatchKey(name_, lower_path_) : KeyMatch{};
  }

  std::string_view text_;
  std::span<const std::u16string> lower_path_;
  std::vector<KeyFacts> facts_;
  std::size_t section_end_;  // where loading stopped
  bool have_key_ = false;
  bool stopped_ = false;
  std::size_t current_ = kNone;  // the wanted key whose section is open
  std::size_t section_begin_ = 0;
  std::string_view arch_;
  std::u16string name_;
  bool line_by_line_;
  bool fast_ = false;     // whether PassOver may be used
  std::string spelling_;  // see SpellPath
  std::vector<std::size_t> common_at_;
};

}  // namespace

std::vector<KeyFacts> ScanKeys(std::string_view text, std::span<const std::u16string> lower_path) {
  return KeyScanner(text, lower_path, false).Run();
}

std::vector<KeyFacts> ScanKeysLineByLine(std::string_view text,
                                         std::span<const std::u16string> lower_path) {
  return KeyScanner(text, lower_path, true).Run();
}

std::optional<Value> FindValue(std::string_view text, std::span<const Section> sections,
                               std::u16string_view lower_name) {
  std::optional<Value> found;
  for (const Section& section : sections) {
    LineReader reader(text, section.begin, std::min(section.end, text.size()));
    std::string_view line;
    while (reader.Next(line)) {
      const std::size_t pos = SkipSpaces(line, 0);
      if (pos >= line.size() || (line[pos] != '"' && line[pos] != '@')) {
        continue;
      }
      auto parsed = ParseValue(reader, line.substr(pos), &lower_name);
      if (parsed && parsed->wanted) {
        found = std::move(parsed->value);
      }
    }
  }
  return found;
}

std::optional<std::vector<std::u16string>> SplitKeyPath(std::u16string_view path) {
  if (!path.empty() && path[0] == u'\\') {
    return std::nullopt;
  }
  std::vector<std::u16string> parts;
  std::size_t pos = 0;
  while (pos < path.size()) {
    const std::size_t end = std::min(path.find(u'\\', pos), path.size());
    if (end > pos) {
      parts.emplace_back(path.substr(pos, end - pos));
    }
    pos = end + 1;
  }
  return parts;
}

}  // namespace pellam::wine
