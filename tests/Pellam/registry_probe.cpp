// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Reads each case on standard input ("ROOT|key path|value name" a line) with
// the calls ReadRegistryString makes, and prints every return code, type,
// size and byte, one line a case, so that two backends' answers can be
// compared: advapi32's under Wine, and the Linux backend's from the files of
// the prefix named by WINEPREFIX. The type of a failed query is left out: no
// backend promises it.
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>

#include "Pellam/frm_pellam.hpp"
#include "runtime/core/ansi_codec.hpp"
#ifdef _WIN32
#include "registry/win32/advapi32_registry.hpp"
#else
#include "registry/wine/wine_prefix_registry.hpp"
#endif

int main() {
#ifdef _WIN32
  pellam::win32::Advapi32Registry registry;
#else
  pellam::wine::WinePrefixRegistry registry(pellam::wine::WinePrefixRegistry::FindPrefix());
#endif
  for (std::string root, key, value; std::getline(std::cin, root, '|') &&
                                     std::getline(std::cin, key, '|') &&
                                     std::getline(std::cin, value);) {
    pellam::KeyHandle opened{};
    std::printf("%s|%s|%s: open %d", root.c_str(), key.c_str(), value.c_str(),
                registry.RegOpenKeyExA(*pellam::RootKeyByName(rt::FromAnsi(root)), key.c_str(), 0,
                                       1, &opened));
    if (opened != pellam::KeyHandle{}) {
      // First the size alone, then the data into a buffer of that size.
      std::string data;
      std::uint32_t size = 0;
      for (const char* step : {"size", "data"}) {
        std::uint32_t type = 0xFFFF;
        data.assign(size, ' ');
        int code = registry.RegQueryValueExA(
            opened, value.c_str(), nullptr, &type,
            *step == 'd' ? reinterpret_cast<std::uint8_t*>(data.data()) : nullptr, &size);
        std::printf(", %s %d %u %u", step, code, code == 0 ? type : 0, size);
      }
      for (char byte : data) {
        std::printf(" %02x", static_cast<unsigned char>(byte));
      }
      std::printf(", close %d", registry.RegCloseKey(opened));
    }
    std::printf("\n");
  }
}
