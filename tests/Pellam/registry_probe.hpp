#pragma once

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>

#include "Pellam/frm_pellam.hpp"
#include "Pellam/registry_access.hpp"
#include "runtime/core/ansi_codec.hpp"

namespace testsupport {

// Reads each case of `cases` ("ROOT|key path|value name" a line) with the
// calls ReadRegistryString makes, and prints every return code, type, size
// and byte, one line a case, so that two backends' answers can be compared.
// The type of a failed query is left out: no backend promises it.
inline int ProbeRegistry(pellam::RegistryAccess& registry, std::istream& cases) {
  for (std::string line; std::getline(cases, line);) {
    std::size_t first = line.find('|');
    std::size_t second = line.find('|', first + 1);
    auto root = pellam::RootKeyByName(rt::FromAnsi(line.substr(0, first)));
    std::string key = line.substr(first + 1, second - first - 1);
    std::string value = line.substr(second + 1);
    pellam::KeyHandle opened{};
    std::printf("%s: open %d", line.c_str(),
                registry.RegOpenKeyExA(*root, key.c_str(), 0, 1, &opened));
    if (opened != pellam::KeyHandle{}) {
      std::uint32_t type = 0xFFFF;
      std::uint32_t size = 0;
      int code = registry.RegQueryValueExA(opened, value.c_str(), nullptr, &type, nullptr, &size);
      std::printf(", size %d %u %u", code, code == 0 ? type : 0, size);
      std::string data(size, ' ');
      type = 0xFFFF;
      code = registry.RegQueryValueExA(opened, value.c_str(), nullptr, &type,
                                       reinterpret_cast<std::uint8_t*>(data.data()), &size);
      std::printf(", data %d %u %u", code, code == 0 ? type : 0, size);
      for (char byte : data) {
        std::printf(" %02x", static_cast<unsigned char>(byte));
      }
      std::printf(", close %d", registry.RegCloseKey(opened));
    }
    std::printf("\n");
  }
  return 0;
}

}  // namespace testsupport
