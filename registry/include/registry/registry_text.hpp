// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace pellam {

// The text shown for a value's data, given the type and the bytes the data
// query wrote:
// - REG_SZ, REG_EXPAND_SZ: up to the first NUL (or all of it), not expanded;
// - REG_MULTI_SZ: the strings in order, one space between them;
// - REG_DWORD, REG_DWORD_BIG_ENDIAN, REG_QWORD of their own sizes: as regedit
//   shows them, "0x0000002a (42)", hex padded to the type's width and the
//   decimal unsigned;
// - anything else: each byte as two lower-case hex digits, spaces between.
// Strings are in the ANSI code page and come back through rt::FromAnsi.
std::u16string RegistryDataText(std::uint32_t type, std::span<const std::uint8_t> data);

// The same for the first `size` bytes held in `storage` (a buffer that the
// data was read into), made in that storage where it can: a string of ASCII
// is widened where it lies, so that a long one is never held twice. Reserve
// a unit per byte beforehand to spare it a reallocation.
std::u16string RegistryDataText(std::uint32_t type, std::u16string storage, std::size_t size);

}  // namespace pellam
