#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "registry/registry_access.hpp"
#include "registry/wine/reg_file.hpp"

namespace pellam::wine {

// A registry file mapped read-only: its pages are read as the scan reaches
// them and shared with the page cache, so no copy of it is held on the heap.
class FileText {
 public:
  FileText(const void* bytes, std::size_t size) : bytes_(bytes), size_(size) {}
  FileText(const FileText&) = delete;
  FileText& operator=(const FileText&) = delete;
  ~FileText();
  std::string_view view() const { return {static_cast<const char*>(bytes_), size_}; }

 private:
  const void* bytes_;
  std::size_t size_;
};

// Real registry files hold a few megabytes. Every open scans its file whole,
// so a file beyond this (a hundred times a large real one, an eighth of the
// largest hive Windows loads) is treated as unreadable rather than holding
// the caller for seconds.
inline constexpr std::size_t kMaxFileSize = std::size_t{256} << 20;

// RegistryAccess over a Wine prefix's registry files, read directly and
// without starting Wine, giving the answers that Wine's own RegOpenKeyExA,
// RegQueryValueExA and RegCloseKey give a 64-bit program whose ANSI code page
// is UTF-8. It only ever reads: a missing prefix or file holds no keys. Each
// open reads its file afresh; an open key keeps that file's text until it is
// closed. Not thread-safe: one object per thread.
class WinePrefixRegistry final : public RegistryAccess {
 public:
  explicit WinePrefixRegistry(std::filesystem::path prefix);

  // Where Wine looks: $WINEPREFIX when it is an absolute path, else
  // $HOME/.wine (the arguments are those variables' values, null when unset);
  // an empty path when there is neither, which holds no keys.
  static std::filesystem::path FindPrefix(const char* wineprefix, const char* home);
  static std::filesystem::path FindPrefix();

  std::int32_t RegOpenKeyExA(KeyHandle key, const char* sub_key, std::uint32_t options,
                             std::uint32_t desired_access, KeyHandle* result) override;
  std::int32_t RegQueryValueExA(KeyHandle key, const char* value_name, std::uint32_t* reserved,
                                std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* data_size) override;
  std::int32_t RegCloseKey(KeyHandle key) override;

 private:
  // A key found in the files: its path from \Registry (lower-case names), the
  // text of the file that holds it (null for keys no file holds) and its facts.
  struct Located {
    std::vector<std::u16string> path;
    std::shared_ptr<const FileText> text;
    KeyFacts facts;
  };
  struct Scan;

  std::optional<Located> Locate(KeyHandle key) const;
  Scan ScanPath(const std::vector<std::u16string>& path) const;
  std::optional<Located> OpenBelowRoot(const std::vector<std::u16string>& root,
                                       const std::vector<std::u16string>& names) const;
  std::optional<Located> Walk(std::vector<std::u16string> start,
                              const std::vector<std::u16string>& names, int iteration) const;
  std::optional<Located> WalkScanned(std::vector<std::u16string> start,
                                     const std::vector<std::u16string>& names, int iteration,
                                     Scan scan) const;
  std::optional<Located> FollowLink(const Located& key, int iteration) const;

  std::filesystem::path prefix_;
  std::map<std::uintptr_t, Located> open_keys_;
  std::uintptr_t next_handle_ = 0x100;
};

}  // namespace pellam::wine
