// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/win32/advapi32_registry.hpp"

#include <windows.h>

#include <bit>

#include "runtime/win32/dll_function.hpp"

namespace pellam::win32 {
namespace {

using OpenKey = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
using QueryValue = LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using CloseKey = LONG(WINAPI*)(HKEY);

// DWORD and std::uint32_t are distinct types of one size on MinGW.
static_assert(sizeof(DWORD) == sizeof(std::uint32_t));

HKEY ToHkey(KeyHandle key) {
  return std::bit_cast<HKEY>(key);
}

constexpr char16_t kAdvapi32[] = u"advapi32.dll";

DWORD* AsDword(std::uint32_t* value) {
  return reinterpret_cast<DWORD*>(value);
}

}  // namespace

std::int32_t Advapi32Registry::RegOpenKeyExA(KeyHandle key, const char* sub_key,
                                             std::uint32_t options, std::uint32_t desired_access,
                                             KeyHandle* result) {
  static rt::win32::DllFunction<OpenKey> open(kAdvapi32, "RegOpenKeyExA");
  HKEY opened = nullptr;
  LONG code = open(ToHkey(key), sub_key, options, desired_access, &opened);
  if (code == ERROR_SUCCESS) {
    *result = std::bit_cast<KeyHandle>(opened);
  }
  return code;
}

std::int32_t Advapi32Registry::RegQueryValueExA(KeyHandle key, const char* value_name,
                                                std::uint32_t* reserved, std::uint32_t* type,
                                                std::uint8_t* data, std::uint32_t* data_size) {
  static rt::win32::DllFunction<QueryValue> query(kAdvapi32, "RegQueryValueExA");
  return query(ToHkey(key), value_name, AsDword(reserved), AsDword(type), data, AsDword(data_size));
}

std::int32_t Advapi32Registry::RegCloseKey(KeyHandle key) {
  static rt::win32::DllFunction<CloseKey> close(kAdvapi32, "RegCloseKey");
  return close(ToHkey(key));
}

}  // namespace pellam::win32
