// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry_access.hpp"

namespace pellam::wine {

// Real registry files hold a few megabytes. Every open reads and scans its
// file whole, so a file beyond this (a hundred times a large real one, an
// eighth of the largest hive Windows loads) is treated as unreadable rather
// than holding the caller for seconds.
inline constexpr std::size_t kMaxFileSize = std::size_t{256} << 20;

// How many links one open follows at most, counted over the whole open (every
// link on the path, in every chain, and in the targets' own paths). wineserver
// gives up on links nested more than 16 deep, and so does this reader; the
// count also stops links that fan out, each target passing through several
// more links, which nesting alone lets grow exponentially. A real prefix
// follows two or three.
inline constexpr int kMaxLinksPerOpen = 32;

// RegistryAccess over a Wine prefix's registry files, read directly and
// without starting Wine, giving the answers that Wine's own RegOpenKeyExA,
// RegQueryValueExA and RegCloseKey give a 64-bit program whose ANSI code page
// is UTF-8. It only ever reads: a missing prefix or file holds no keys.
//
// Each open reads each file it needs into memory once, and every link it
// follows reads that same copy, so its answer comes whole from one version of
// the files, however they change meanwhile. An open key keeps the copy until
// it is closed. Not thread-safe: one object per thread.
class WinePrefixRegistry final : public RegistryAccess {
 public:
  explicit WinePrefixRegistry(std::filesystem::path prefix);
  ~WinePrefixRegistry() override;
  WinePrefixRegistry(const WinePrefixRegistry&) = delete;
  WinePrefixRegistry& operator=(const WinePrefixRegistry&) = delete;

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

  // The work done so far, for tests and benchmarks: how many times a file has
  // been read, and how many times a file's text has been scanned for a path.
  std::size_t file_reads() const { return file_reads_; }
  std::size_t key_scans() const { return key_scans_; }

 private:
  struct Located;
  struct Open;
  struct Scan;
  using Path = std::vector<std::u16string>;

  Scan ScanPath(Open& open, const Path& path);
  std::optional<Located> OpenBelowRoot(Open& open, const Path& root, const Path& names);
  std::optional<Located> Walk(Open& open, Path start, const Path& names, int depth);
  std::optional<Located> WalkScanned(Open& open, Path start, const Path& names, int depth,
                                     Scan scan);
  std::optional<Located> FollowLink(Open& open, const Located& key, int depth);

  std::filesystem::path prefix_;
  std::map<std::uintptr_t, std::unique_ptr<Located>> open_keys_;
  std::uintptr_t next_handle_ = 0x100;
  std::size_t file_reads_ = 0;
  std::size_t key_scans_ = 0;
};

}  // namespace pellam::wine
