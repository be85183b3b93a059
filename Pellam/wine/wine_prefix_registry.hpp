#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Pellam/registry_access.hpp"
#include "Pellam/wine/reg_file.hpp"

namespace pellam::wine {

// A registry file's bytes as read.
struct FileText {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;
  std::string_view view() const { return {bytes.get(), size}; }
};

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
