// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Feeds arbitrary bytes to the .reg parser as system.reg and looks up keys in
// it: through ScanKeys/FindValue directly (no file system), where the fast key
// scan must agree with the exact decoder on the paths ScanPathsToTry names,
// and through the backend over a prefix directory, links included.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/scan_paths.hpp"
#include "registry/registry_constants.hpp"
#include "registry/wine/reg_file.hpp"
#include "registry/wine/wine_prefix_registry.hpp"

namespace {

const std::filesystem::path& PrefixDir() {
  static const std::filesystem::path dir = [] {
    auto path =
        std::filesystem::temp_directory_path() / ("pellam-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(path);
    return path;
  }();
  return dir;
}

// Key paths from the first line after the header, if any, plus fixed ones.
std::vector<std::string> KeysToTry(std::string_view text) {
  std::vector<std::string> keys = {"", "Software", "Software\\A", "Software\\A\\B", "a\\b\\c"};
  const std::size_t newline = text.find('\n');
  if (newline != std::string_view::npos) {
    const std::string_view rest = text.substr(newline + 1);
    keys.emplace_back(rest.substr(0, std::min<std::size_t>(rest.find('\n'), 64)));
  }
  return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  // Passing over key lines must change nothing, whatever the wanted path.
  for (const auto& wanted : pellam::wine::ScanPathsToTry(text, 16)) {
    if (pellam::wine::ScanKeys(text, wanted) != pellam::wine::ScanKeysLineByLine(text, wanted)) {
      __builtin_trap();
    }
  }

  const std::vector<std::u16string> path = {u"software", u"a"};
  const auto facts = pellam::wine::ScanKeys(text, path);
  for (const auto& key : facts) {
    for (const auto& section : key.sections) {
      if (section.begin > section.end || section.end > text.size()) {
        __builtin_trap();
      }
    }
    pellam::wine::FindValue(text, key.sections, u"v");
    pellam::wine::FindValue(text, key.sections, u"");
  }

  std::ofstream(PrefixDir() / "system.reg", std::ios::binary | std::ios::trunc)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  pellam::wine::WinePrefixRegistry registry(PrefixDir());
  for (const std::string& key_path : KeysToTry(text)) {
    pellam::KeyHandle key{};
    if (registry.RegOpenKeyExA(pellam::reg::kLocalMachine, key_path.c_str(), 0,
                               pellam::reg::kKeyQueryValue, &key) != pellam::reg::kErrorSuccess) {
      continue;
    }
    for (const char* name : {"v", "", "SymbolicLinkValue"}) {
      std::uint32_t type = 0;
      std::uint32_t needed = 0;
      if (registry.RegQueryValueExA(key, name, nullptr, &type, nullptr, &needed) ==
          pellam::reg::kErrorSuccess) {
        std::vector<std::uint8_t> buffer(needed + 1);
        std::uint32_t written = needed;
        if (registry.RegQueryValueExA(key, name, nullptr, &type, buffer.data(), &written) !=
                pellam::reg::kErrorSuccess ||
            written != needed) {
          __builtin_trap();
        }
      }
    }
    if (registry.RegCloseKey(key) != pellam::reg::kErrorSuccess) {
      __builtin_trap();
    }
  }
  return 0;
}
