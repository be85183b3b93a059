// ScanKeys passes over most key lines in blocks of bytes without decoding
// them; these rows hold it to the scan that decodes every line, and to what
// wineserver makes of each file, at the edges of that fast path. The fuzzer's
// seeds (scan_*.reg) hold more such edges, each checked the same way.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Pellam/wine/reg_file.hpp"

namespace {

using namespace std::string_literals;
using Path = std::vector<std::u16string>;

const Path kCurrentVersion = {u"software", u"microsoft", u"windows nt", u"currentversion"};

// Ordinary key lines as Wine writes them, so that a row's lines are met in
// the middle of a scan.
std::string Classes(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i) {
    lines += "[Software\\\\Classes\\\\CLSID\\\\{0000000" + std::to_string(i) +
             "-0000-0000-C000-000000000046}\\\\InprocServer32] 1796606110\n@=\"ole32.dll\"\n\n";
  }
  return lines;
}

std::string File(const std::string& body) {
  return "WINE REGISTRY Version 2\n#arch=win64\n\n" + Classes(3) + body + "\n" + Classes(2) + ";" +
         std::string(300, '-') + "\n";
}

const std::string kWantedLine = "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion]";
const std::string kWanted = kWantedLine + " 0\n\"B\"=\"1\"\n\n";
// Ends the load when read outside a key, that is after a malformed key line.
const std::string kArch = "#arch=win32\n";

// Bodies at the edges of the fast path, each between ordinary keys.
struct Row {
  const char* name;
  std::string body;
};

TEST(ScanKeysTest, AgreesWithDecodingEveryLine) {
  const Row rows[] = {
      {"SeparatorRuns", "[Software\\\\\\\\Microsoft\\\\Windows NT\\\\CurrentVersion]\n"},
      {"EscapedBracketUnclosed", "[Software\\\\a\\]\n" + kArch + kWanted},
      {"NulPastThePath", kWantedLine.substr(0, 48) + "\0\\\\x]\n"s + kArch + kWanted},
      {"OverlongName", "[" + std::string(260, 'x') + "]\n" + kArch + kWanted},
      {"HexValueSwallowsAKeyLine", "[Software\\\\x]\n\"v\"=hex:00,\\\n" + kWanted},
      {"LinkOnThePath", "[Software\\\\Microsoft]\n#link\n\n" + kWanted}};
  for (const Row& row : rows) {
    const std::string text = File(row.body);
    EXPECT_EQ(pellam::wine::ScanKeys(text, kCurrentVersion),
              pellam::wine::ScanKeysLineByLine(text, kCurrentVersion))
        << row.name;
  }
  const std::string end = "WINE REGISTRY Version 2\n\n" + Classes(2) + kWantedLine;
  EXPECT_EQ(pellam::wine::ScanKeys(end, kCurrentVersion).back().sections.size(), 1u);
  const auto facts = pellam::wine::ScanKeys(File(rows[std::size(rows) - 1].body), kCurrentVersion);
  EXPECT_TRUE(facts[2].is_link) << rows[std::size(rows) - 1].name;
}

}  // namespace
