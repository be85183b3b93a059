// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

#include "registry/registry_access.hpp"

namespace pellam::win32 {

// RegistryAccess over advapi32's own RegOpenKeyExA, RegQueryValueExA and
// RegCloseKey, bound by name at their first call. Handles, the predefined
// roots among them, pass through unchanged.
class Advapi32Registry final : public RegistryAccess {
 public:
  std::int32_t RegOpenKeyExA(KeyHandle key, const char* sub_key, std::uint32_t options,
                             std::uint32_t desired_access, KeyHandle* result) override;
  std::int32_t RegQueryValueExA(KeyHandle key, const char* value_name, std::uint32_t* reserved,
                                std::uint32_t* type, std::uint8_t* data,
                                std::uint32_t* data_size) override;
  std::int32_t RegCloseKey(KeyHandle key) override;
};

}  // namespace pellam::win32
