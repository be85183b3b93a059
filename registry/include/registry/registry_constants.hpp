// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "registry/registry_access.hpp"

// The registry's constants with the values Win32 gives them, under names of
// their own so that a file may see these and <windows.h> together.
namespace pellam::reg {

inline constexpr KeyHandle kClassesRoot = PredefinedKey(0x80000000);
inline constexpr KeyHandle kCurrentUser = PredefinedKey(0x80000001);
inline constexpr KeyHandle kLocalMachine = PredefinedKey(0x80000002);
inline constexpr KeyHandle kUsers = PredefinedKey(0x80000003);
inline constexpr KeyHandle kCurrentConfig = PredefinedKey(0x80000005);

// The predefined roots by name, in the order that the viewer lists them and
// compares a selected name with them.
inline constexpr std::array<std::pair<std::u16string_view, KeyHandle>, 5> kRootsByName{{
    {u"HKEY_CLASSES_ROOT", kClassesRoot},
    {u"HKEY_CURRENT_CONFIG", kCurrentConfig},
    {u"HKEY_CURRENT_USER", kCurrentUser},
    {u"HKEY_LOCAL_MACHINE", kLocalMachine},
    {u"HKEY_USERS", kUsers},
}};

inline constexpr std::uint32_t kKeyQueryValue = 0x0001;

// The longest key or value name, in UTF-16 units.
inline constexpr std::size_t kMaxNameLength = 256;

inline constexpr std::uint32_t kTypeNone = 0;
inline constexpr std::uint32_t kTypeSz = 1;
inline constexpr std::uint32_t kTypeExpandSz = 2;
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeDword = 4;
inline constexpr std::uint32_t kTypeDwordBigEndian = 5;
inline constexpr std::uint32_t kTypeLink = 6;
inline constexpr std::uint32_t kTypeMultiSz = 7;
inline constexpr std::uint32_t kTypeQword = 11;

inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorInvalidParameter = 87;
inline constexpr std::int32_t kErrorBadPathname = 161;
inline constexpr std::int32_t kErrorMoreData = 234;

}  // namespace pellam::reg
