// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace pellam {

// An open registry key as the registry calls see it: pointer-sized, as an HKEY is
// on both i686 and x86_64, so that an advapi32 backend passes it through with a
// plain cast. The predefined roots are 32-bit constants sign-extended to that
// width, which is how Windows defines them in 64-bit programs.
enum class KeyHandle : std::uintptr_t {};

constexpr KeyHandle PredefinedKey(std::uint32_t value) {
  return static_cast<KeyHandle>(
      static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value))));
}

// The three registry calls the reader makes, with the signatures and return
// codes of advapi32's RegOpenKeyExA, RegQueryValueExA and RegCloseKey: texts in
// the ANSI code page, 0 for success, a Win32 error code otherwise.
class RegistryAccess {
 public:
  virtual ~RegistryAccess() = default;

  virtual std::int32_t RegOpenKeyExA(KeyHandle key, const char* sub_key, std::uint32_t options,
                                     std::uint32_t desired_access, KeyHandle* result) = 0;
  // With `data` null only the size is reported through `data_size`; otherwise
  // `*data_size` is the buffer's size on entry and the count written on return.
  virtual std::int32_t RegQueryValueExA(KeyHandle key, const char* value_name,
                                        std::uint32_t* reserved, std::uint32_t* type,
                                        std::uint8_t* data, std::uint32_t* data_size) = 0;
  virtual std::int32_t RegCloseKey(KeyHandle key) = 0;
};

}  // namespace pellam
