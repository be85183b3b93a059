// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/wine/lower_case.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

// The table must agree, for every UTF-16 unit, with the lower-case table in
// Wine's l_intl.nls, the one wineserver folds key and value names with: a
// word, the upper-case table (its size first), then the lower-case one, each
// three-level.
TEST(LowerCaseTest, AgreesWithWinesTableForEveryUnit) {
  std::vector<std::uint16_t> words(0x8000);
  std::ifstream("/usr/share/wine/nls/l_intl.nls", std::ios::binary)
      .read(reinterpret_cast<char*>(words.data()), 2 * static_cast<std::streamsize>(words.size()));
  ASSERT_GT(words[1], 0u) << "Wine's l_intl.nls is missing";
  auto lower = [&](std::uint32_t i) { return words.at(1 + words[1] + 1 + i); };
  for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
    const std::uint16_t delta = lower(lower(lower(unit >> 8) + ((unit >> 4) & 0xF)) + (unit & 0xF));
    ASSERT_EQ(pellam::wine::ToLowerCase(static_cast<char16_t>(unit)),
              static_cast<char16_t>((unit + delta) & 0xFFFF))
        << "unit " << std::hex << unit;
  }
}

}  // namespace
