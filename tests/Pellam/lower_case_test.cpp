#include "Pellam/wine/lower_case.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

// The table must agree, for every UTF-16 unit, with the lower-case table in
// Wine's l_intl.nls, the one wineserver folds key and value names with.
TEST(LowerCaseTest, AgreesWithWinesTableForEveryUnit) {
  std::ifstream in("/usr/share/wine/nls/l_intl.nls", std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  ASSERT_GT(bytes.size(), 4u) << "Wine's l_intl.nls is missing";
  auto word = [&](std::size_t i) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes.at(2 * i)) |
                                      static_cast<unsigned char>(bytes.at(2 * i + 1)) << 8);
  };
  // A word, then the upper-case table (its size first), then the lower-case one.
  const std::size_t lower = 1 + word(1) + 1;
  auto table = [&](std::size_t i) { return word(lower + i); };
  for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
    const std::uint16_t delta = table(table(table(unit >> 8) + ((unit >> 4) & 0xF)) + (unit & 0xF));
    ASSERT_EQ(pellam::wine::ToLowerCase(static_cast<char16_t>(unit)),
              static_cast<char16_t>((unit + delta) & 0xFFFF))
        << "unit " << std::hex << unit;
  }
}

}  // namespace
