// ScanKeys passes over most key lines without reading them as wineserver
// does; these rows hold it to the scan that reads every line, and to what
// wineserver makes of each file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Pellam/wine/reg_file.hpp"
#include "tests/support/row_name.hpp"

namespace {

using namespace std::string_literals;
using Path = std::vector<std::u16string>;

const Path kCurrentVersion = {u"software", u"microsoft", u"windows nt", u"currentversion"};

// Plenty of ordinary key lines, as Wine writes them, so that whatever a row
// puts between them is met in the middle of a scan.
std::string Classes(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) {
    lines += "[Software\\\\Classes\\\\CLSID\\\\{0000000" + std::to_string(i) +
             "-0000-0000-C000-000000000046}\\\\InprocServer32] 1796606110\n"
             "#time=1dd85e8673db710\n@=\"ole32.dll\"\n\n";
  }
  return lines;
}

// A file: header, #arch line, the row's body between ordinary keys, and a
// long comment after it so that no key line of the body is near the end.
std::string File(const std::string& body) {
  return "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n"
         "#arch=win64\n\n" +
         Classes(3) + body + "\n" + Classes(2) + ";" + std::string(300, '-') + "\n";
}

const std::string kWanted =
    "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1796606110\n"
    "#time=1dd85e86731ad60\n\"CurrentBuild\"=\"19045\"\n\n";

// Stops the load when read as a global option, that is after a key line
// that is not well formed.
const std::string kArchChange = "#arch=win32\n";

struct Row {
  std::string name;
  std::string text;
  Path path;
  std::vector<bool> exists;  // for the root and each key of the path
  std::size_t sections;      // of the last key
};

class ScanKeysTest : public testing::TestWithParam<Row> {};

TEST_P(ScanKeysTest, AgreesWithReadingEveryLine) {
  const Row& row = GetParam();
  const std::vector<pellam::wine::KeyFacts> facts = pellam::wine::ScanKeys(row.text, row.path);
  EXPECT_EQ(facts, pellam::wine::ScanKeysLineByLine(row.text, row.path));
  ASSERT_EQ(facts.size(), row.exists.size());
  for (std::size_t i = 0; i < facts.size(); ++i) {
    EXPECT_EQ(facts[i].exists, row.exists[i]) << "key " << i;
  }
  EXPECT_EQ(facts.back().sections.size(), row.sections);
}

const std::string kLongName = std::string(240, 'x');
// What exists along kCurrentVersion: all of it, or Software alone (from the
// ordinary keys) when the load stops before the rest.
const std::vector<bool> kAll = {true, true, true, true, true};
const std::vector<bool> kSoftwareOnly = {true, true, false, false, false};

INSTANTIATE_TEST_SUITE_P(
    Rows, ScanKeysTest,
    testing::Values(
        Row{"WantedKeyAmongOthers", File(kWanted), kCurrentVersion, kAll, 1},
        Row{"RepeatedSectionsMerge", File(kWanted + Classes(2) + kWanted), kCurrentVersion, kAll,
            2},
        Row{"OnlyKeysBelowTheWantedOne",
            File("[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\AeDebug] 0\n\n"
                 "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Fonts] 0\n\n"),
            kCurrentVersion, kAll, 0},
        Row{"SiblingWhoseNameIsShorter",
            File("[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer] 0\n\n"),
            kCurrentVersion,
            {true, true, true, false, false},
            0},
        Row{"SiblingWhoseNameIsLonger",
            File("[Software\\\\Microsoft\\\\Windows NTX\\\\CurrentVersion] 0\n\n"),
            kCurrentVersion,
            {true, true, true, false, false},
            0},
        Row{"CapitalsAnywhere",
            File("[SOFTWARE\\\\microSOFT\\\\WINDOWS nt\\\\CurrentVERSION] 0\n\n"), kCurrentVersion,
            kAll, 1},
        Row{"EscapedLetterBeforeTheDifference",
            File("[Software\\\\Micro\\x73oft\\\\Windows NT\\\\CurrentVersion] 0\n\n"),
            kCurrentVersion, kAll, 1},
        Row{"EscapedLetterWhereTheLineDiffers",
            File("[Software\\\\\\x4dicrosoft\\\\Windows NT\\\\CurrentVersion] 0\n\n"),
            kCurrentVersion, kAll, 1},
        Row{"HexEscapedSeparator",
            File("[Software\\x5cMicrosoft\\\\Windows NT\\\\CurrentVersion] 0\n\n"), kCurrentVersion,
            kAll, 1},
        Row{"RunsOfSeparatorsCollapse",
            File("[Software\\\\\\\\Microsoft\\\\Windows NT\\\\\\\\\\\\CurrentVersion] 0\n\n"),
            kCurrentVersion, kAll, 1},
        Row{"TrailingSeparatorNamesTheKeyItself",
            File("[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\] 0\n\n"),
            kCurrentVersion, kAll, 1},
        Row{"EscapeRightBelowTheWantedKey",
            File("[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\\\x41] 0\n\n"),
            kCurrentVersion, kAll, 0},
        Row{"Utf8AfterTheDifference",
            File("[Software\\\\Classes\\\\caf\xc3\xa9\\\\shell] 0\n\n" + kWanted), kCurrentVersion,
            kAll, 1},
        Row{"EscapedClosingBracketInAName",
            File("[Software\\\\Classes\\\\a\\]b\\\\and a name long enough to need a second look] "
                 "0\n" +
                 kArchChange + "\n" + kWanted),
            kCurrentVersion, kAll, 1},
        Row{"KeyLineWithoutItsBracketMakesArchAGlobalOption",
            File("[Software\\\\Classes\\\\" + std::string(90, 'y') + "\n" + kArchChange + "\n" +
                 kWanted),
            kCurrentVersion, kSoftwareOnly, 0},
        Row{"NulInAKeyNameEndsItsLine",
            File("[Software\\\\Classes\\\\a\0b] 0\n"s + kArchChange + "\n" + kWanted),
            kCurrentVersion, kSoftwareOnly, 0},
        Row{"OverlongNameIsNotAKey",
            File("[Software\\\\Classes\\\\" + kLongName + kLongName + "] 0\n" + kArchChange + "\n" +
                 kWanted),
            kCurrentVersion, kSoftwareOnly, 0},
        Row{"LongestNameIsAKey",
            File("[Software\\\\Classes\\\\" + kLongName.substr(0, 237) + "] 0\n" + kArchChange +
                 "\n" + kWanted),
            kCurrentVersion, kAll, 1},
        Row{"HexValueSwallowsAKeyLine",
            File("[Software\\\\Classes\\\\x] 0\n\"v\"=hex:00,\\\n" + kWanted), kCurrentVersion,
            kSoftwareOnly, 0},
        Row{"HexValueEndsAtAnEmptyLine",
            File("[Software\\\\Classes\\\\x] 0\n\"v\"=hex:00,\\\n\n" + kWanted), kCurrentVersion,
            kAll, 1},
        Row{"CarriageReturnsBeforeLineEnds",
            File("[Software\\\\Classes\\\\x] 0\r\n\r\n[Software\\\\Microsoft\\\\Windows "
                 "NT\\\\CurrentVersion] 0\r\n\"CurrentBuild\"=\"1\"\r\n\r\n"),
            kCurrentVersion, kAll, 1},
        Row{"WantedKeyAtTheVeryEnd",
            "WINE REGISTRY Version 2\n\n" + Classes(2) +
                "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion]",
            kCurrentVersion, kAll, 1},
        Row{"HiveRoot", File(kWanted), {}, {true}, 0},
        Row{"NameBeyondAscii",
            File("[Software\\\\Caf\\x00e9] 0\n\n"),
            {u"software", u"caf\u00e9"},
            {true, true, true},
            1},
        Row{"NamesAsLongAsABlock",
            File("[abcdefghijklmnopq] 0\n\n[abcdefghijklmno] 0\n\n[ABCDEFGHIJKLMNOP\\\\x] 0\n\n"),
            {u"abcdefghijklmnop"},
            {true, true},
            0},
        Row{"LinkOnThePath", File("[Software\\\\Microsoft] 0\n#link\n\n" + kWanted),
            kCurrentVersion, kAll, 1}),
    testsupport::RowName());

TEST(ScanKeysTest, LinkOnThePathIsSeen) {
  const std::string text = File("[Software\\\\Microsoft] 0\n#link\n\n");
  const auto facts = pellam::wine::ScanKeys(text, kCurrentVersion);
  EXPECT_TRUE(facts[2].is_link);
  EXPECT_EQ(facts, pellam::wine::ScanKeysLineByLine(text, kCurrentVersion));
}

}  // namespace
