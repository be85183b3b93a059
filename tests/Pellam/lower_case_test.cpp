#include "Pellam/wine/lower_case.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/support/row_name.hpp"

namespace {

struct Row {
  const char* name;
  char16_t unit;
  char16_t lower;
};

class LowerCaseTest : public testing::TestWithParam<Row> {};

TEST_P(LowerCaseTest, MapsAsWineserverDoes) {
  EXPECT_EQ(pellam::wine::ToLowerCase(GetParam().unit), GetParam().lower);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LowerCaseTest,
    testing::Values(
        Row{"AsciiCapital", u'A', u'a'}, Row{"AsciiSmall", u'z', u'z'},
        Row{"AsciiBracket", u'[', u'['}, Row{"Latin1", u'\u00c9', u'\u00e9'},
        Row{"YWithDiaeresis", u'\u0178', u'\u00ff'},
        Row{"LatinExtendedPairs", u'\u0100', u'\u0101'}, Row{"Greek", u'\u03a9', u'\u03c9'},
        Row{"Cyrillic", u'\u0416', u'\u0436'}, Row{"Georgian", u'\u10a0', u'\u2d00'},
        Row{"FullWidth", u'\uff21', u'\uff41'}, Row{"KelvinSignStays", u'\u212a', u'\u212a'},
        Row{"DottedCapitalIStays", u'\u0130', u'\u0130'},
        Row{"TitleCaseDigraphStays", u'\u01c5', u'\u01c5'},
        Row{"FinalSigmaStays", u'\u03c2', u'\u03c2'}, Row{"DotlessIStays", u'\u0131', u'\u0131'},
        Row{"LongSStays", u'\u017f', u'\u017f'}, Row{"CapitalSharpSStays", u'\u1e9e', u'\u1e9e'}),
    testsupport::RowName());

// The table must agree with the lower-case table in Wine's l_intl.nls (the one
// wineserver uses) for every UTF-16 unit.
TEST(LowerCaseTest, AgreesWithWinesTableForEveryUnit) {
  const std::filesystem::path file = "/usr/share/wine/nls/l_intl.nls";
  if (!std::filesystem::exists(file)) {
    GTEST_SKIP() << "Wine is not installed";
  }
  std::ifstream in(file, std::ios::binary);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
  std::vector<std::uint16_t> words(bytes.size() / 2);
  for (std::size_t i = 0; i < words.size(); ++i) {
    words[i] = static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                          static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  }
  // A word, then the upper-case table (its size first), then the lower-case one.
  const std::size_t lower = 1 + words.at(1) + 1;
  auto table = [&](std::size_t i) { return words.at(lower + i); };
  for (std::uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
    const std::uint16_t delta = table(table(table(unit >> 8) + ((unit >> 4) & 0xF)) + (unit & 0xF));
    const auto expected = static_cast<char16_t>((unit + delta) & 0xFFFF);
    ASSERT_EQ(pellam::wine::ToLowerCase(static_cast<char16_t>(unit)), expected)
        << "unit " << std::hex << unit;
  }
}

}  // namespace
