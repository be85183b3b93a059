// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <algorithm>
#include <bit>
#include <cstring>

#include "registry/registry_constants.hpp"
#include "registry/wine/byte_blocks.hpp"
#include "registry/wine/reg_file.hpp"
#include "registry/wine/reg_syntax.hpp"
#include "registry/wine/reg_values.hpp"

namespace pellam::wine {
namespace {

constexpr std::string_view kHeader = "WINE REGISTRY Version 2";

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
  //
  // Say the wanted path is Software\Wine\Drivers, spelled
  // "software\\wine\\drivers". The line
  //   [Software\\Microsoft\\Windows] 1796600857
  // is passed over: folded, it equals the spelling up to byte 10, where 'm'
  // meets 'w'; 'm' is plain, so the line has one name in common with the path
  // (Software, which thereby exists), and the first ']' after byte 10 closes
  // the name with no escape or line break before it. The line
  //   [Software\\Wine\\Dri\x76ers] 1796600857
  // is handed to the exact decoder: it first differs at byte 19, a backslash
  // that does not start a separator but an escape, and decoded it names the
  // wanted key itself.
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
        PassOverValue(reader, s);
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
