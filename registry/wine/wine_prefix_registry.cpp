// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/wine/wine_prefix_registry.hpp"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string_view>

#include "registry/registry_constants.hpp"
#include "registry/wine/file_text.hpp"
#include "registry/wine/lower_case.hpp"
#include "registry/wine/reg_file.hpp"
#include "runtime/core/ansi_codec.hpp"

namespace pellam::wine {
namespace {

using Path = std::vector<std::u16string>;

// wineserver gives up on links nested deeper than this: a link met while
// following one at this depth leads nowhere.
constexpr int kMaxLinkDepth = 16;
// wineserver mounts user.reg under this user's key, whatever the file's header says.
constexpr std::u16string_view kUserSid = u"s-1-5-21-0-0-0-1000";
constexpr std::u16string_view kRegistryRoot = u"\\registry\\";

std::optional<Path> RootPath(KeyHandle key) {
  if (key == reg::kClassesRoot) {
    return Path{u"machine", u"software", u"classes"};
  }
  if (key == reg::kCurrentUser) {
    return Path{u"user", std::u16string(kUserSid)};
  }
  if (key == reg::kLocalMachine) {
    return Path{u"machine"};
  }
  if (key == reg::kUsers) {
    return Path{u"user"};
  }
  if (key == reg::kCurrentConfig) {
    return Path{u"machine", u"system", u"currentcontrolset", u"hardware profiles", u"current"};
  }
  return std::nullopt;
}

// The file that holds the keys below `path`, and how many of its names lead to
// that file's root.
struct Hive {
  const char* file = nullptr;
  std::size_t depth = 0;
};

Hive HiveOf(const Path& path) {
  if (!path.empty() && path[0] == u"machine") {
    return {"system.reg", 1};
  }
  if (path.size() >= 2 && path[0] == u"user") {
    if (path[1] == u".default") {
      return {"userdef.reg", 2};
    }
    if (path[1] == kUserSid) {
      return {"user.reg", 2};
    }
  }
  return {};
}

// Counts the bytes put to it.
class ByteCount final : public ByteSink {
 public:
  void Put(std::string_view bytes) override { count_ += bytes.size(); }
  std::size_t count() const { return count_; }

 private:
  std::size_t count_ = 0;
};

// Writes the bytes put to it into a buffer, as many as fit.
class BufferWriter final : public ByteSink {
 public:
  BufferWriter(std::uint8_t* buffer, std::size_t size) : buffer_(buffer), size_(size) {}
  void Put(std::string_view bytes) override {
    const std::size_t count = std::min(bytes.size(), size_ - written_);
    std::memcpy(buffer_ + written_, bytes.data(), count);
    written_ += count;
  }
  std::size_t written() const { return written_; }

 private:
  std::uint8_t* buffer_;
  std::size_t size_;
  std::size_t written_ = 0;
};

// A value as the A functions give it, without its data: its name (lower
// case), where it lies, its type and its data's size in the ANSI code page.
// Malformed data is REG_NONE of size 0.
struct Measured {
  std::u16string name;
  ValueLine line;
  std::uint32_t type = reg::kTypeNone;
  std::uint32_t size = 0;
};

// The value named `name` in a key's sections, measured by decoding it without
// keeping its data: a value of any length costs no memory here.
std::optional<Measured> Measure(std::string_view text, std::span<const Section> sections,
                                const std::u16string& name) {
  const auto line = FindValueLine(text, sections, name);
  if (!line) {
    return std::nullopt;
  }
  Measured value{name, *line};
  ByteCount count;
  if (const auto type = DecodeValueData(text, *line, Strings::kAnsi, count)) {
    value.type = *type;
    value.size = static_cast<std::uint32_t>(count.count());
  }
  return value;
}

Path Joined(Path head, std::span<const std::u16string> tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

std::u16string Utf16Units(const std::vector<std::uint8_t>& data) {
  std::u16string units(data.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  return units;
}

}  // namespace

// A key found in the files: its path from \Registry (lower-case names), the
// text of the file that holds it (null for keys no file holds) and its facts.
struct WinePrefixRegistry::Located {
  Path path;
  std::shared_ptr<const FileText> text;
  KeyFacts facts;
  // What the last size query measured, for the data query that usually
  // follows it: a long value is then neither sought nor measured again.
  std::optional<Measured> last_measured;
};

// One open's view of the files: each file read at most once, and the links
// followed so far.
struct WinePrefixRegistry::Open {
  std::map<std::string, std::shared_ptr<const FileText>, std::less<>> files;
  int links_followed = 0;
};

// The facts of each key along a path from \Registry, and the text they were
// found in: facts[i] is the key named by the path's first i names.
struct WinePrefixRegistry::Scan {
  std::shared_ptr<const FileText> text;
  std::vector<KeyFacts> facts;
};

WinePrefixRegistry::WinePrefixRegistry(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

WinePrefixRegistry::~WinePrefixRegistry() = default;

std::filesystem::path WinePrefixRegistry::FindPrefix(const char* wineprefix, const char* home) {
  if (wineprefix != nullptr && wineprefix[0] == '/') {
    return wineprefix;
  }
  if (home != nullptr && home[0] != '\0') {
    return std::filesystem::path(home) / ".wine";
  }
  return {};
}

std::filesystem::path WinePrefixRegistry::FindPrefix() {
  const char* home = std::getenv("HOME");
  if (home == nullptr) {
    const passwd* user = ::getpwuid(::getuid());
    home = user != nullptr ? user->pw_dir : nullptr;
  }
  return FindPrefix(std::getenv("WINEPREFIX"), home);
}

WinePrefixRegistry::Scan WinePrefixRegistry::ScanPath(Open& open, const Path& path) {
  Scan scan;
  scan.facts.resize(path.size() + 1);
  // \Registry, \Registry\Machine, \Registry\User and each file's root exist
  // whether or not a file does.
  scan.facts[0].exists = true;
  if (!path.empty() && (path[0] == u"machine" || path[0] == u"user")) {
    scan.facts[1].exists = true;
  }
  const Hive hive = HiveOf(path);
  if (hive.file == nullptr) {
    return scan;
  }
  scan.facts[hive.depth].exists = true;
  auto [file, first] = open.files.try_emplace(hive.file);
  // No prefix holds no keys; an empty path must not turn into the working
  // directory's files.
  if (first && !prefix_.empty()) {
    file->second = ReadFileText(prefix_ / hive.file);
    ++file_reads_;
  }
  scan.text = file->second;
  if (scan.text != nullptr) {
    ++key_scans_;
    std::vector<KeyFacts> below = ScanKeys(scan.text->view(), std::span(path).subspan(hive.depth));
    for (std::size_t i = 0; i < below.size(); ++i) {
      scan.facts[hive.depth + i] = std::move(below[i]);
    }
  }
  return scan;
}

// Opens `names` one by one below `start`, following every link on the way as
// wineserver does: `depth` counts how deeply links are nested.
std::optional<WinePrefixRegistry::Located> WinePrefixRegistry::Walk(Open& open, Path start,
                                                                    const Path& names, int depth) {
  Scan scan = ScanPath(open, Joined(start, names));
  return WalkScanned(open, std::move(start), names, depth, std::move(scan));
}

// Walk, given the scan of `start` and `names` together.
std::optional<WinePrefixRegistry::Located> WinePrefixRegistry::WalkScanned(Open& open, Path start,
                                                                           const Path& names,
                                                                           int depth, Scan scan) {
  Path path = std::move(start);
  for (std::size_t i = 0; i < names.size(); ++i) {
    path.push_back(names[i]);
    const KeyFacts& facts = scan.facts[path.size()];
    if (!facts.exists || depth > kMaxLinkDepth) {
      return std::nullopt;
    }
    if (!facts.is_link) {
      continue;
    }
    auto target = FollowLink(open, Located{path, scan.text, facts}, depth);
    if (!target || i + 1 == names.size()) {
      return target;
    }
    path = target->path;
    scan = ScanPath(open, Joined(path, std::span(names).subspan(i + 1)));
  }
  return Located{path, scan.text, std::move(scan.facts[path.size()])};
}

// A link's SymbolicLinkValue holds an absolute path, \Registry\..., in UTF-16
// without a terminator; anything else leads nowhere, and so does a link past
// the open's budget.
std::optional<WinePrefixRegistry::Located> WinePrefixRegistry::FollowLink(Open& open,
                                                                          const Located& key,
                                                                          int depth) {
  if (key.text == nullptr || ++open.links_followed > kMaxLinksPerOpen) {
    return std::nullopt;
  }
  const auto value = FindValue(key.text->view(), key.facts.sections, u"symboliclinkvalue");
  if (!value) {
    return std::nullopt;
  }
  const std::u16string target = Utf16Units(value->data);
  if (target.size() <= kRegistryRoot.size() ||
      ToLowerCase(std::u16string_view(target).substr(0, kRegistryRoot.size())) != kRegistryRoot) {
    return std::nullopt;
  }
  auto names = SplitKeyPath(std::u16string_view(target).substr(kRegistryRoot.size()));
  if (!names) {
    return std::nullopt;
  }
  for (std::u16string& name : *names) {
    name = ToLowerCase(name);
  }
  return Walk(open, {}, *names, depth + 1);
}

// Opens `names` below the predefined key whose path is `root`. The root's own
// path may pass through links, as HKEY_CURRENT_CONFIG's does through
// CurrentControlSet: Wine opens it like any other path. A root that leads
// nowhere stays where it is, for Wine creates the predefined keys. One scan
// serves the root and the names below it alike; only links on the root's
// path take further scans.
std::optional<WinePrefixRegistry::Located> WinePrefixRegistry::OpenBelowRoot(Open& open,
                                                                             const Path& root,
                                                                             const Path& names) {
  Scan scan = ScanPath(open, Joined(root, names));
  bool through_link = false;
  for (std::size_t depth = 1; depth <= root.size() && scan.facts[depth].exists; ++depth) {
    through_link = through_link || scan.facts[depth].is_link;
  }
  if (!through_link) {
    return WalkScanned(open, root, names, 0, std::move(scan));
  }
  auto resolved = WalkScanned(open, {}, root, 0, std::move(scan));
  return Walk(open, resolved ? resolved->path : root, names, 0);
}

std::int32_t WinePrefixRegistry::RegOpenKeyExA(KeyHandle key, const char* sub_key,
                                               std::uint32_t /*options*/,
                                               std::uint32_t /*desired_access*/,
                                               KeyHandle* result) {
  if (result == nullptr) {
    return reg::kErrorInvalidParameter;
  }
  const std::optional<Path> root = RootPath(key);
  const auto parent = open_keys_.find(static_cast<std::uintptr_t>(key));
  if (!root && parent == open_keys_.end()) {
    return reg::kErrorInvalidHandle;
  }
  std::u16string path = rt::FromAnsi(sub_key != nullptr ? sub_key : "");
  if (key == reg::kClassesRoot && path.starts_with(u'\\')) {
    path.erase(0, 1);  // the one leading backslash Windows accepts there
  }
  auto names = SplitKeyPath(path);
  if (!names) {
    return reg::kErrorBadPathname;
  }
  for (std::u16string& name : *names) {
    if (name.size() > reg::kMaxNameLength) {
      return reg::kErrorInvalidParameter;
    }
    name = ToLowerCase(name);
  }
  Open open;
  auto found =
      root ? OpenBelowRoot(open, *root, *names) : Walk(open, parent->second->path, *names, 0);
  if (!found) {
    return reg::kErrorFileNotFound;
  }
  const std::uintptr_t handle = next_handle_;
  next_handle_ += 4;
  open_keys_.emplace(handle, std::make_unique<Located>(std::move(*found)));
  *result = static_cast<KeyHandle>(handle);
  return reg::kErrorSuccess;
}

std::int32_t WinePrefixRegistry::RegQueryValueExA(KeyHandle key, const char* value_name,
                                                  std::uint32_t* reserved, std::uint32_t* type,
                                                  std::uint8_t* data, std::uint32_t* data_size) {
  std::optional<Located> root_key;
  Located* located = nullptr;
  if (auto root = RootPath(key)) {
    Open open;
    root_key = OpenBelowRoot(open, *root, {});
    located = root_key ? &*root_key : nullptr;
  } else if (const auto found = open_keys_.find(static_cast<std::uintptr_t>(key));
             found != open_keys_.end()) {
    located = found->second.get();
  }
  if (located == nullptr) {
    return reg::kErrorInvalidHandle;
  }
  if (reserved != nullptr || (data != nullptr && data_size == nullptr)) {
    return reg::kErrorInvalidParameter;
  }
  if (located->text == nullptr) {
    return reg::kErrorFileNotFound;
  }
  const std::u16string name = ToLowerCase(rt::FromAnsi(value_name != nullptr ? value_name : ""));
  std::optional<Measured> value;
  if (located->last_measured && located->last_measured->name == name) {
    value = std::move(located->last_measured);
  } else {
    value = Measure(located->text->view(), located->facts.sections, name);
  }
  located->last_measured.reset();
  if (!value) {
    return reg::kErrorFileNotFound;
  }
  if (type != nullptr) {
    *type = value->type;
  }
  if (data_size == nullptr) {
    return reg::kErrorSuccess;
  }
  if (data == nullptr) {
    *data_size = value->size;
    located->last_measured = std::move(value);
    return reg::kErrorSuccess;
  }
  if (*data_size < value->size) {
    *data_size = value->size;
    return reg::kErrorMoreData;
  }
  // Decoded straight into the caller's buffer, which the measure shows it fits.
  BufferWriter writer(data, value->size);
  if (value->size != 0) {
    DecodeValueData(located->text->view(), value->line, Strings::kAnsi, writer);
  }
  *data_size = static_cast<std::uint32_t>(writer.written());
  return reg::kErrorSuccess;
}

std::int32_t WinePrefixRegistry::RegCloseKey(KeyHandle key) {
  if (RootPath(key)) {
    return reg::kErrorSuccess;
  }
  return open_keys_.erase(static_cast<std::uintptr_t>(key)) != 0 ? reg::kErrorSuccess
                                                                 : reg::kErrorInvalidHandle;
}

}  // namespace pellam::wine
