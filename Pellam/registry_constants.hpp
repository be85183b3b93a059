#pragma once

#include <cstdint>

#include "Pellam/registry_access.hpp"

// The Win32 names of the registry's constants, for code that does not see
// <windows.h>. Never include this header together with <windows.h>, which
// defines the same names as macros; a Windows backend uses those instead.
namespace pellam {

inline constexpr KeyHandle HKEY_CLASSES_ROOT = PredefinedKey(0x80000000);
inline constexpr KeyHandle HKEY_CURRENT_USER = PredefinedKey(0x80000001);
inline constexpr KeyHandle HKEY_LOCAL_MACHINE = PredefinedKey(0x80000002);
inline constexpr KeyHandle HKEY_USERS = PredefinedKey(0x80000003);
inline constexpr KeyHandle HKEY_CURRENT_CONFIG = PredefinedKey(0x80000005);

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_DWORD_BIG_ENDIAN = 5;
inline constexpr std::uint32_t REG_LINK = 6;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;
inline constexpr std::uint32_t REG_QWORD = 11;

inline constexpr std::int32_t ERROR_SUCCESS = 0;
inline constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr std::int32_t ERROR_INVALID_HANDLE = 6;
inline constexpr std::int32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr std::int32_t ERROR_BAD_PATHNAME = 161;
inline constexpr std::int32_t ERROR_MORE_DATA = 234;

}  // namespace pellam
