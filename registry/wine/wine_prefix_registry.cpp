#include "registry/wine/wine_prefix_registry.hpp"

#include <fcntl.h>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <span>
#include <string_view>

#include "registry/registry_constants.hpp"
#include "registry/wine/lower_case.hpp"
#include "runtime/core/ansi_codec.hpp"

namespace pellam::wine {
namespace {

using Path = std::vector<std::u16string>;

// wineserver gives up on a chain of links nested deeper than this.
constexpr int kMaxLinkIteration = 16;
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

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) {
      ::close(fd_);
    }
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// The file mapped, or null when it cannot be read. Only regular files of at
// most kMaxFileSize: a FIFO or device planted in the prefix must neither block
// the open (hence O_NONBLOCK) nor feed the scan without end. wineserver saves
// a file by writing a new one and renaming it over the old, so a mapping keeps
// the text it was made from.
std::shared_ptr<const FileText> ReadFile(const std::filesystem::path& file) {
  const FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat status {};
  if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::uintmax_t>(status.st_size) > kMaxFileSize) {
    return nullptr;
  }
  const auto size = static_cast<std::size_t>(status.st_size);
  if (size == 0) {
    return std::make_shared<FileText>(nullptr, 0);
  }
  // The scan reads every page: mapping them all at once costs a fifth of
  // taking a fault on each (measured with bench/registry_bench.cpp).
  void* bytes = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd.get(), 0);
  if (bytes == MAP_FAILED) {
    return nullptr;
  }
  return std::make_shared<FileText>(bytes, size);
}

Path Joined(Path head, std::span<const std::u16string> tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

bool IsString(std::uint32_t type) {
  return type == reg::kTypeSz || type == reg::kTypeExpandSz || type == reg::kTypeMultiSz;
}

std::u16string Utf16Units(const std::vector<std::uint8_t>& data) {
  std::u16string units(data.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  return units;
}

}  // namespace

// The facts of each key along a path from \Registry, and the text they were
// found in: facts[i] is the key named by the path's first i names.
struct WinePrefixRegistry::Scan {
  std::shared_ptr<const FileText> text;
  std::vector<KeyFacts> facts;
};

FileText::~FileText() {
  if (size_ != 0) {
    ::munmap(const_cast<void*>(bytes_), size_);
  }
}

WinePrefixRegistry::WinePrefixRegistry(std::filesystem::path prefix) : prefix_(std::move(prefix)) {}

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

WinePrefixRegistry::Scan WinePrefixRegistry::ScanPath(const Path& path) const {
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
  // No prefix holds no keys; an empty path must not turn into the working
  // directory's files.
  if (!prefix_.empty()) {
    scan.text = ReadFile(prefix_ / hive.file);
  }
  if (scan.text != nullptr) {
    std::vector<KeyFacts> below = ScanKeys(scan.text->view(), std::span(path).subspan(hive.depth));
    for (std::size_t i = 0; i < below.size(); ++i) {
      scan.facts[hive.depth + i] = std::move(below[i]);
    }
  }
  return scan;
}

// Opens `names` one by one below `start`, following every link on the way as
// wineserver does: `iteration` counts how deeply links are nested.
std::optional<WinePrefixRegistry::Located> WinePrefixRegistry::Walk(Path start, const Path& names,
                                                                    int iteration) const {
  Scan scan = ScanPath(Joined(start, names));
  return WalkScanned(std::move(start), names, iteration, std::move(scan));
}

// Walk, given the scan of `start` and `names` together.
std::optional<WinePrefixRegistry::Located> WinePrefixRegistry::WalkScanned(Path start,
                                                                           const Path& names,
                                                                           int iteration,
                                                                           Scan scan) const {
  Path path = std::move(start);
  for (std::size_t i = 0; i < names.size(); ++i) {
    path.push_back(names[i]);
    const KeyFacts& facts = scan.facts[path.size()];
    if (!facts.exists || iteration > kMaxLinkIteration) {
      return std::nullopt;
    }
    if (!facts.is_link) {
      continue;
    }
    auto target = FollowLink(Located{path, scan.text, facts}, iteration);
    if (!target || i + 1 == names.size()) {
      return target;
    }
    path = target->path;
    scan = ScanPath(Joined(path, std::span(names).subspan(i + 1)));
  }
  return Located{path, scan.text, std::move(scan.facts[path.size()])};
}

// A link's SymbolicLinkValue holds an absolute path, \Registry\..., in UTF-16
// without a terminator; anything else leads nowhere.
std::optional<WinePrefixRegistry::Located> WinePrefixRegistry::FollowLink(const Located& key,
                                                                          int iteration) const {
  if (key.text == nullptr) {
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
  return Walk({}, *names, iteration + 1);
}

// Opens `names` below the predefined key whose path is `root`. The root's own
// path may pass through links, as HKEY_CURRENT_CONFIG's does through
// CurrentControlSet: Wine opens it like any other path. A root that leads
// nowhere stays where it is, for Wine creates the predefined keys. One read
// and scan of the file serve the root and the names below it alike; only
// links on the root's path take further reads.
std::optional<WinePrefixRegistry::Located> WinePrefixRegistry::OpenBelowRoot(
    const Path& root, const Path& names) const {
  Scan scan = ScanPath(Joined(root, names));
  bool through_link = false;
  for (std::size_t depth = 1; depth <= root.size() && scan.facts[depth].exists; ++depth) {
    through_link = through_link || scan.facts[depth].is_link;
  }
  if (!through_link) {
    return WalkScanned(root, names, 0, std::move(scan));
  }
  auto resolved = WalkScanned({}, root, 0, std::move(scan));
  return Walk(resolved ? resolved->path : root, names, 0);
}

std::optional<WinePrefixRegistry::Located> WinePrefixRegistry::Locate(KeyHandle key) const {
  if (auto root = RootPath(key)) {
    return OpenBelowRoot(*root, {});
  }
  const auto open = open_keys_.find(static_cast<std::uintptr_t>(key));
  if (open == open_keys_.end()) {
    return std::nullopt;
  }
  return open->second;
}

std::int32_t WinePrefixRegistry::RegOpenKeyExA(KeyHandle key, const char* sub_key,
                                               std::uint32_t /*options*/,
                                               std::uint32_t /*desired_access*/,
                                               KeyHandle* result) {
  if (result == nullptr) {
    return reg::kErrorInvalidParameter;
  }
  const std::optional<Path> root = RootPath(key);
  const auto open = open_keys_.find(static_cast<std::uintptr_t>(key));
  if (!root && open == open_keys_.end()) {
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
  auto found = root ? OpenBelowRoot(*root, *names) : Walk(open->second.path, *names, 0);
  if (!found) {
    return reg::kErrorFileNotFound;
  }
  const std::uintptr_t handle = next_handle_;
  next_handle_ += 4;
  open_keys_.emplace(handle, std::move(*found));
  *result = static_cast<KeyHandle>(handle);
  return reg::kErrorSuccess;
}

std::int32_t WinePrefixRegistry::RegQueryValueExA(KeyHandle key, const char* value_name,
                                                  std::uint32_t* reserved, std::uint32_t* type,
                                                  std::uint8_t* data, std::uint32_t* data_size) {
  const auto located = Locate(key);
  if (!located) {
    return reg::kErrorInvalidHandle;
  }
  if (reserved != nullptr || (data != nullptr && data_size == nullptr)) {
    return reg::kErrorInvalidParameter;
  }
  if (located->text == nullptr) {
    return reg::kErrorFileNotFound;
  }
  const std::u16string name = ToLowerCase(rt::FromAnsi(value_name != nullptr ? value_name : ""));
  auto value = FindValue(located->text->view(), located->facts.sections, name);
  if (!value) {
    return reg::kErrorFileNotFound;
  }
  if (IsString(value->type)) {
    const std::string ansi = rt::ToAnsi(Utf16Units(value->data));
    value->data.assign(ansi.begin(), ansi.end());
  }
  if (type != nullptr) {
    *type = value->type;
  }
  if (data_size == nullptr) {
    return reg::kErrorSuccess;
  }
  const auto needed = static_cast<std::uint32_t>(value->data.size());
  if (data == nullptr) {
    *data_size = needed;
    return reg::kErrorSuccess;
  }
  if (*data_size < needed) {
    *data_size = needed;
    return reg::kErrorMoreData;
  }
  std::copy(value->data.begin(), value->data.end(), data);
  *data_size = needed;
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
