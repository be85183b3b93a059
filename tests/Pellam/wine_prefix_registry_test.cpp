#include "Pellam/wine/wine_prefix_registry.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Pellam/registry_constants.hpp"
#include "Pellam/wine/reg_file.hpp"
#include "tests/support/row_name.hpp"

namespace {

using pellam::KeyHandle;
using namespace std::string_literals;

const std::string kHeader = "WINE REGISTRY Version 2\n";

// A key option line and a SymbolicLinkValue pointing at `target`, as Wine
// writes them: UTF-16LE bytes, no terminator.
std::string LinkTo(std::u16string_view target) {
  std::string lines = "#link\n\"SymbolicLinkValue\"=hex(6):";
  for (std::size_t i = 0; i < target.size(); ++i) {
    char pair[8];
    std::snprintf(pair, sizeof pair, "%s%02x,%02x", i == 0 ? "" : ",", target[i] & 0xFF,
                  target[i] >> 8);
    lines += pair;
  }
  return lines + "\n";
}

// Software\L1 links to L2, ..., the last to Software\T: wineserver follows
// links nested up to 16 deep.
std::string LinkChain(int links) {
  std::string body;
  for (int i = 1; i <= links; ++i) {
    const std::string next = i == links ? "T" : "L" + std::to_string(i + 1);
    body += "[Software\\\\L" + std::to_string(i) + "]\n" +
            LinkTo(u"\\Registry\\Machine\\Software\\" + std::u16string(next.begin(), next.end()));
  }
  return body;
}

class Prefix {
 public:
  explicit Prefix(const std::string& name)
      : dir_(std::filesystem::path(testing::TempDir()) / ("pellam-" + name)) {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~Prefix() { std::filesystem::remove_all(dir_); }

  void Write(const char* file, const std::string& text) const {
    if (!text.empty()) {
      std::ofstream(dir_ / file, std::ios::binary) << text;
    }
  }
  const std::filesystem::path& dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

struct Row {
  std::string name;
  std::string system;  // the files' texts; empty when the file is missing
  std::string user;
  std::string userdef;
  KeyHandle root;
  std::string path;
  std::string value;
  std::int32_t open_rc;
  std::int32_t query_rc;
  std::uint32_t type;
  std::string data;  // what the A function returns
};

class WinePrefixRegistryTest : public testing::TestWithParam<Row> {};

TEST_P(WinePrefixRegistryTest, AnswersAsWineDoes) {
  const Row& row = GetParam();
  const Prefix prefix(row.name);
  prefix.Write("system.reg", row.system);
  prefix.Write("user.reg", row.user);
  prefix.Write("userdef.reg", row.userdef);
  pellam::wine::WinePrefixRegistry registry(prefix.dir());

  KeyHandle key{};
  ASSERT_EQ(
      registry.RegOpenKeyExA(row.root, row.path.c_str(), 0, pellam::reg::kKeyQueryValue, &key),
      row.open_rc);
  if (row.open_rc != pellam::reg::kErrorSuccess) {
    return;
  }
  std::uint32_t type = 0xDEAD;
  std::uint32_t size = 0;
  ASSERT_EQ(registry.RegQueryValueExA(key, row.value.c_str(), nullptr, &type, nullptr, &size),
            row.query_rc);
  if (row.query_rc == pellam::reg::kErrorSuccess) {
    EXPECT_EQ(type, row.type);
    std::string buffer(size, ' ');
    EXPECT_EQ(registry.RegQueryValueExA(key, row.value.c_str(), nullptr, &type,
                                        reinterpret_cast<std::uint8_t*>(buffer.data()), &size),
              pellam::reg::kErrorSuccess);
    EXPECT_EQ(buffer.substr(0, size), row.data);
  } else {
    EXPECT_EQ(size, 0u) << "a failed query leaves the size alone";
  }
  EXPECT_EQ(registry.RegCloseKey(key), pellam::reg::kErrorSuccess);
}

// One key with one value line, read back from HKLM\Software\A.
Row Value(std::string name, const std::string& value_line, std::uint32_t type, std::string data,
          std::string value = "v") {
  return Row{std::move(name),
             kHeader + "[Software\\\\A] 1\n" + value_line + "\n",
             "",
             "",
             pellam::reg::kLocalMachine,
             "Software\\A",
             std::move(value),
             pellam::reg::kErrorSuccess,
             pellam::reg::kErrorSuccess,
             type,
             std::move(data)};
}

// Whether HKLM\`path` opens in a system.reg of `body`.
Row Opens(std::string name, const std::string& body, std::string path, std::int32_t rc,
          KeyHandle root = pellam::reg::kLocalMachine) {
  return Row{std::move(name),
             kHeader + body,
             "",
             "",
             root,
             std::move(path),
             "",
             rc,
             pellam::reg::kErrorFileNotFound,
             0,
             ""};
}

// HKLM\`path`'s value v in a system.reg of `body`.
Row Reads(std::string name, const std::string& body, std::string path, std::string data) {
  return Row{std::move(name),
             kHeader + body,
             "",
             "",
             pellam::reg::kLocalMachine,
             std::move(path),
             "v",
             pellam::reg::kErrorSuccess,
             pellam::reg::kErrorSuccess,
             pellam::reg::kTypeSz,
             std::move(data)};
}

Row Missing(std::string name, const std::string& body, std::string path) {
  Row row = Reads(std::move(name), body, std::move(path), "");
  row.query_rc = pellam::reg::kErrorFileNotFound;
  return row;
}

std::vector<Row> Rows() {
  const std::string t = "[Software\\\\T]\n\"v\"=\"t\"\n";
  return {
      // Data forms.
      Value("String", "\"v\"=\"hello\"", pellam::reg::kTypeSz, "hello\0"s),
      Value("EmptyString", "\"v\"=\"\"", pellam::reg::kTypeSz, "\0"s),
      Value("StringWithStrTag", "\"v\"=str:\"x\"", pellam::reg::kTypeSz, "x\0"s),
      Value("ExpandString", "\"v\"=str(2):\"%x%\"", pellam::reg::kTypeExpandSz, "%x%\0"s),
      Value("MultiString", "\"v\"=str(7):\"a\\0b\\0\"", pellam::reg::kTypeMultiSz, "a\0b\0\0"s),
      Value("Dword", "\"v\"=dword:0000002a", pellam::reg::kTypeDword, "\x2a\0\0\0"s),
      Value("DwordCutTo32Bits", "\"v\"=dword:1234567890", pellam::reg::kTypeDword,
            "\x90\x78\x56\x34"s),
      Value("DwordNotANumberIsZero", "\"v\"=dword:zz", pellam::reg::kTypeDword, "\0\0\0\0"s),
      Value("DwordNegativeWraps", "\"v\"=dword:-1", pellam::reg::kTypeDword, "\xff\xff\xff\xff"s),
      Value("Binary", "\"v\"=hex:01,02,ff", pellam::reg::kTypeBinary, "\x01\x02\xff"s),
      Value("BinaryEmpty", "\"v\"=hex:", pellam::reg::kTypeBinary, ""),
      Value("HexContinuedOnNextLines", "\"v\"=hex:01,02,\\\n  03,\\\n  04",
            pellam::reg::kTypeBinary, "\x01\x02\x03\x04"s),
      Value("HexBytesWithoutCommas", "\"v\"=hex:01 02", pellam::reg::kTypeBinary, "\x01\x02"s),
      Value("Qword", "\"v\"=hex(b):2a,00,00,00,00,00,00,00", pellam::reg::kTypeQword,
            "\x2a\0\0\0\0\0\0\0"s),
      Value("HexNone", "\"v\"=hex(0):", pellam::reg::kTypeNone, ""),
      Value("HexOfUnknownType", "\"v\"=hex(1234):ab", 0x1234, "\xab"s),
      Value("HexStringWithoutTerminator", "\"v\"=hex(1):61,00,62,00", pellam::reg::kTypeSz, "ab"),
      Value("HexStringWithOddByte", "\"v\"=hex(1):61,00,62", pellam::reg::kTypeSz, "a"),
      Value("DefaultValue", "@=\"d\"", pellam::reg::kTypeSz, "d\0"s, ""),
      Value("SpacesAroundEquals", "\"v\" = \"s\"", pellam::reg::kTypeSz, "s\0"s),
      Value("ValueNameIsCaseInsensitive", "\"Value\"=\"c\"", pellam::reg::kTypeSz, "c\0"s, "VALUE"),
      Value("MalformedDataIsNone", "\"v\"=bogus", pellam::reg::kTypeNone, ""),
      Value("HexByteTooBigIsNone", "\"v\"=hex:1ff", pellam::reg::kTypeNone, ""),
      Value("UnterminatedStringIsNone", "\"v\"=\"abc", pellam::reg::kTypeNone, ""),
      Value("HexTypeWithoutColonIsNone", "\"v\"=hex(1)01", pellam::reg::kTypeNone, ""),
      Value("HexContinuationAtEndOfFileIsNone", "\"v\"=hex:01,\\", pellam::reg::kTypeNone, ""),
      Value("LastDataWins", "\"v\"=\"a\"\n\"V\"=\"b\"", pellam::reg::kTypeSz, "b\0"s),
      Value("MalformedRepeatResetsToNone", "\"v\"=\"a\"\n\"v\"=junk", pellam::reg::kTypeNone, ""),
      // Escapes and encodings.
      Value("Escapes", R"("v"="q\"b\\s\[\]\z")", pellam::reg::kTypeSz, "q\"b\\s[]z\0"s),
      Value("ControlEscapes", R"("v"="\a\b\e\f\n\r\t\v")", pellam::reg::kTypeSz,
            "\a\b\x1b\f\n\r\t\v\0"s),
      Value("OctalEscapes", R"("v"="\101\0609")", pellam::reg::kTypeSz, "A09\0"s),
      Value("HexEscapeGreedyToFourDigits", R"("v"="\x263a1")", pellam::reg::kTypeSz,
            "\xe2\x98\xba"
            "1\0"s),
      Value("HexEscapeWithoutDigits", R"("v"="\xg")", pellam::reg::kTypeSz, "xg\0"s),
      Value("SurrogatePairFromTwoEscapes", R"("v"="\xd83d\xde00")", pellam::reg::kTypeSz,
            "\xf0\x9f\x98\x80\0"s),
      Value("LoneSurrogateBecomesReplacement", R"("v"="\xd83d")", pellam::reg::kTypeSz,
            "\xef\xbf\xbd\0"s),
      Value("RawUtf8", "\"v\"=\"caf\xc3\xa9\"", pellam::reg::kTypeSz, "caf\xc3\xa9\0"s),
      Value("InvalidUtf8BecomesReplacement",
            "\"v\"=\"a\xff"
            "b\"",
            pellam::reg::kTypeSz,
            "a\xef\xbf\xbd"
            "b\0"s),
      Value("EscapedValueName", R"("a\"b"="n")", pellam::reg::kTypeSz, "n\0"s, "a\"b"),
      // Lines.
      Value("CrLfLineEnds", "\"v\"=\"x\"\r", pellam::reg::kTypeSz, "x\0"s),
      Value("NulEndsTheLine", "\"v\"=\"ab\"\0\"more\""s, pellam::reg::kTypeSz, "ab\0"s),
      Value("IndentedLines", "   \"v\"=\"i\"", pellam::reg::kTypeSz, "i\0"s),
      Missing("NameWithoutEqualsIsSkipped", "[Software\\\\A]\n\"v\" \"x\"\n", "Software\\A"),
      Missing("DefaultValueUnset", "[Software\\\\A]\n\"w\"=\"x\"\n", "Software\\A"),
      Missing("ValueBeforeAnyKeyIsDropped", "\"v\"=\"x\"\n[Software\\\\A]\n", "Software\\A"),
      Missing("ValuesAfterAMalformedKeyLineGoNowhere",
              "[Software\\\\A]\n[Software\\\\B\n\"v\"=\"x\"\n", "Software\\A"),
      Missing("WrongHeaderMakesTheFileEmpty", "", "") /* replaced below */,
      // Keys.
      Reads("RepeatedSectionsMerge",
            "[Software\\\\A]\n\"w\"=\"1\"\n[Software\\\\B]\n[software\\\\a]\n\"v\"=\"2\"\n",
            "Software\\A", "2\0"s),
      Reads("KeyNamesAreCaseInsensitive", "[Software\\\\Abc]\n\"v\"=\"k\"\n", "SOFTWARE\\aBC",
            "k\0"s),
      Reads("NonAsciiKeyNamesFold", "[Software\\\\\\x3a9\\x3bc\\x3ad\\x3b3\\x3b1]\n\"v\"=\"g\"\n",
            "Software\\\xce\xa9\xce\x9c\xce\x88\xce\x93\xce\x91", "g\0"s),
      Opens("KelvinSignDoesNotFold", "[Software\\\\k]\n", "Software\\\xe2\x84\xaa",
            pellam::reg::kErrorFileNotFound),
      Reads("EscapedKeyName", "[Software\\\\Caf\\xe9 \\[1\\]]\n\"v\"=\"e\"\n",
            "Software\\Caf\xc3\xa9 [1]", "e\0"s),
      Reads("RunsOfSeparatorsCollapse", "[Software\\\\\\\\\\\\A\\\\]\n\"v\"=\"r\"\n",
            "Software\\\\A\\", "r\0"s),
      Reads("TimestampAndTrailingTextIgnored", "[Software\\\\A] 1796600857 junk\n\"v\"=\"t\"\n",
            "Software\\A", "t\0"s),
      Reads("RootSection", "[]\n\"v\"=\"root\"\n", "", "root\0"s),
      Reads("KeyLineMayBeIndented", "  [Software\\\\A]\n\"v\"=\"i\"\n", "Software\\A", "i\0"s),
      Opens("ParentOfASectionExists", "[Software\\\\A\\\\B]\n", "Software\\A",
            pellam::reg::kErrorSuccess),
      Opens("MissingKey", "[Software\\\\A]\n", "Software\\B", pellam::reg::kErrorFileNotFound),
      Opens("SectionWithLeadingSeparatorIsDropped", "[\\\\Software\\\\A]\n", "Software\\A",
            pellam::reg::kErrorFileNotFound),
      Opens("SectionWithOverlongNameIsDropped",
            "[Software\\\\" + std::string(257, 'n') + "\\\\C]\n", "Software",
            pellam::reg::kErrorFileNotFound),
      Opens("UnterminatedKeyLineIsDropped", "[Software\\\\A\n", "Software\\A",
            pellam::reg::kErrorFileNotFound),
      Opens("HexContinuationSwallowsAKeyLine",
            "[Software\\\\A]\n\"b\"=hex:01,\\\n[Software\\\\B]\n", "Software\\B",
            pellam::reg::kErrorFileNotFound),
      Opens("KeyLineAfterValueWithBackslashStillCounts",
            "[Software\\\\A]\n\"p\"=\"C:\\\\x\"\n[Software\\\\B]\n", "Software\\B",
            pellam::reg::kErrorSuccess),
      Opens("NoContinuationWithoutAKey", "\"b\"=hex:01,\\\n[Software\\\\B]\n", "Software\\B",
            pellam::reg::kErrorSuccess),
      Opens("UnknownArchStopsLoading", "#arch=win16\n[Software\\\\A]\n", "Software\\A",
            pellam::reg::kErrorFileNotFound),
      Opens("ChangingArchStopsLoading", "#arch=win64\n#arch=win32\n[Software\\\\A]\n",
            "Software\\A", pellam::reg::kErrorFileNotFound),
      Opens("ArchAfterMalformedKeyStopsLoading",
            "[Software\\\\A]\n[Bad\n#arch=x\n[Software\\\\B]\n", "Software\\B",
            pellam::reg::kErrorFileNotFound),
      Opens("ArchInsideAKeyIsAnOption", "[Software\\\\A]\n#arch=x\n[Software\\\\B]\n",
            "Software\\B", pellam::reg::kErrorSuccess),
      // Paths given to RegOpenKeyExA.
      Opens("LeadingBackslash", "[Software\\\\A]\n", "\\Software", pellam::reg::kErrorBadPathname),
      Opens("OneLeadingBackslashUnderClassesRoot", "[Software\\\\Classes\\\\.txt]\n", "\\.txt",
            pellam::reg::kErrorSuccess, pellam::reg::kClassesRoot),
      Opens("TwoLeadingBackslashesUnderClassesRoot", "[Software\\\\Classes\\\\.txt]\n", "\\\\.txt",
            pellam::reg::kErrorBadPathname, pellam::reg::kClassesRoot),
      Opens("PartOf257Characters", "", "Software\\" + std::string(257, 'x'),
            pellam::reg::kErrorInvalidParameter),
      Opens("PartOf256CharactersIsJustMissing", "", "Software\\" + std::string(256, 'x'),
            pellam::reg::kErrorFileNotFound),
      Opens("EmptyPathOpensTheRoot", "", "", pellam::reg::kErrorSuccess),
      Opens("RootOfMissingClassesOpens", "", "", pellam::reg::kErrorSuccess,
            pellam::reg::kClassesRoot),
      Opens("CurrentConfig", "[System\\\\CurrentControlSet\\\\Hardware Profiles\\\\Current\\\\X]\n",
            "X", pellam::reg::kErrorSuccess, pellam::reg::kCurrentConfig),
      // As in every prefix, CurrentControlSet on the way to the root is a link.
      Opens("CurrentConfigThroughTheControlSetLink",
            "[System\\\\CurrentControlSet]\n" +
                LinkTo(u"\\Registry\\Machine\\System\\ControlSet001") +
                "[System\\\\ControlSet001\\\\Hardware Profiles\\\\Current\\\\X]\n",
            "X", pellam::reg::kErrorSuccess, pellam::reg::kCurrentConfig),
      // Links.
      Reads("LinkFollowed", "[Software\\\\L]\n" + LinkTo(u"\\Registry\\Machine\\Software\\T") + t,
            "Software\\L", "t\0"s),
      Reads("LinkInTheMiddleOfAPath",
            "[Software\\\\L]\n" + LinkTo(u"\\REGISTRY\\machine\\Software") + t, "Software\\L\\T",
            "t\0"s),
      Reads("LinkChain",
            "[Software\\\\L1]\n" + LinkTo(u"\\Registry\\Machine\\Software\\L2") +
                "[Software\\\\L2]\n" + LinkTo(u"\\Registry\\Machine\\Software\\T") + t,
            "Software\\L1", "t\0"s),
      Reads("LinkTargetWithALinkInsideIt",
            "[Software\\\\L]\n" + LinkTo(u"\\Registry\\Machine\\S\\T") + "[S]\n" +
                LinkTo(u"\\Registry\\Machine\\Software") + t,
            "Software\\L", "t\0"s),
      Reads("ChainOf16LinksIsFollowed", LinkChain(16) + t, "Software\\L1", "t\0"s),
      Opens("ChainOf17LinksIsTooDeep", LinkChain(17) + t, "Software\\L1",
            pellam::reg::kErrorFileNotFound),
      Opens("LinkToItself", "[Software\\\\L]\n" + LinkTo(u"\\Registry\\Machine\\Software\\L"),
            "Software\\L", pellam::reg::kErrorFileNotFound),
      Opens("LinksInACircle",
            "[Software\\\\A]\n" + LinkTo(u"\\Registry\\Machine\\Software\\B") +
                "[Software\\\\B]\n" + LinkTo(u"\\Registry\\Machine\\Software\\A"),
            "Software\\A\\X", pellam::reg::kErrorFileNotFound),
      Opens("LinkWithRelativeTarget", "[Software\\\\L]\n" + LinkTo(u"Software\\T") + t,
            "Software\\L", pellam::reg::kErrorFileNotFound),
      Opens("LinkWithoutTarget", "[Software\\\\L]\n#link\n" + t, "Software\\L",
            pellam::reg::kErrorFileNotFound),
      Opens("LinkToMissingKey", "[Software\\\\L]\n" + LinkTo(u"\\Registry\\Machine\\Nope"),
            "Software\\L", pellam::reg::kErrorFileNotFound),
      Opens("LinkToRegistryRootOnly", "[Software\\\\L]\n" + LinkTo(u"\\Registry\\"), "Software\\L",
            pellam::reg::kErrorFileNotFound),
      Opens("LinkFlagInARepeatedSection",
            "[Software\\\\L]\n\"SymbolicLinkValue\"=hex(6):5c,00,52,00,65,00,67,00,69,00,73,00,"
            "74,00,72,00,79,00,5c,00,4d,00,61,00,63,00,68,00,69,00,6e,00,65,00\n"
            "[Software\\\\L]\n#link\n",
            "Software\\L\\Software", pellam::reg::kErrorSuccess),
  };
}

std::vector<Row> AllRows() {
  std::vector<Row> rows = Rows();
  for (Row& row : rows) {
    if (row.name == "WrongHeaderMakesTheFileEmpty") {
      row.system = "WINE REGISTRY Version 1\n[Software\\\\A]\n\"v\"=\"x\"\n";
      row.path = "Software\\A";
      row.open_rc = pellam::reg::kErrorFileNotFound;
    }
  }
  // Files other than system.reg.
  const std::string user = kHeader + "[Software\\\\U]\n\"v\"=\"user\"\n";
  const std::string userdef = kHeader + "[Software\\\\D]\n\"v\"=\"default\"\n";
  auto in_users = [&](std::string name, KeyHandle root, std::string path, std::int32_t rc,
                      std::string data) {
    return Row{std::move(name),
               kHeader + "[Software\\\\L]\n" +
                   LinkTo(u"\\Registry\\User\\S-1-5-21-0-0-0-1000\\Software\\U"),
               user,
               userdef,
               root,
               std::move(path),
               "v",
               rc,
               pellam::reg::kErrorSuccess,
               pellam::reg::kTypeSz,
               std::move(data)};
  };
  rows.push_back(in_users("CurrentUser", pellam::reg::kCurrentUser, "Software\\U",
                          pellam::reg::kErrorSuccess, "user\0"s));
  rows.push_back(in_users("UsersDefault", pellam::reg::kUsers, ".DEFAULT\\Software\\D",
                          pellam::reg::kErrorSuccess, "default\0"s));
  rows.push_back(in_users("UsersCurrentUserSid", pellam::reg::kUsers,
                          "S-1-5-21-0-0-0-1000\\Software\\U", pellam::reg::kErrorSuccess,
                          "user\0"s));
  rows.push_back(in_users("UsersOtherSid", pellam::reg::kUsers, "S-1-5-18",
                          pellam::reg::kErrorFileNotFound, ""));
  rows.push_back(in_users("LinkAcrossFiles", pellam::reg::kLocalMachine, "Software\\L",
                          pellam::reg::kErrorSuccess, "user\0"s));
  rows.push_back(in_users("MissingFileMeansNoKeys", pellam::reg::kLocalMachine, "Software\\X",
                          pellam::reg::kErrorFileNotFound, ""));
  rows.back().system.clear();
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Rows, WinePrefixRegistryTest, testing::ValuesIn(AllRows()),
                         testsupport::RowName());

class WinePrefixRegistryCallsTest : public testing::Test {
 protected:
  WinePrefixRegistryCallsTest() : prefix_("calls") {
    prefix_.Write("system.reg", kHeader + "[Software\\\\A]\n\"v\"=\"hello\"\n\"d\"=dword:7\n");
  }
  Prefix prefix_;
  pellam::wine::WinePrefixRegistry registry_{prefix_.dir()};
};

TEST_F(WinePrefixRegistryCallsTest, BufferTooSmallGivesMoreDataAndTheSize) {
  KeyHandle key{};
  ASSERT_EQ(registry_.RegOpenKeyExA(pellam::reg::kLocalMachine, "Software\\A", 0, 1, &key), 0);
  std::uint8_t buffer[5] = {1, 1, 1, 1, 1};
  std::uint32_t size = sizeof buffer;
  std::uint32_t type = 0;
  EXPECT_EQ(registry_.RegQueryValueExA(key, "v", nullptr, &type, buffer, &size),
            pellam::reg::kErrorMoreData);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, pellam::reg::kTypeSz);
  EXPECT_EQ(buffer[0], 1) << "nothing is written";
  EXPECT_EQ(registry_.RegCloseKey(key), 0);
}

TEST_F(WinePrefixRegistryCallsTest, ClosingTwiceOrABadHandleIsAnInvalidHandle) {
  KeyHandle key{};
  ASSERT_EQ(registry_.RegOpenKeyExA(pellam::reg::kLocalMachine, "Software\\A", 0, 1, &key), 0);
  EXPECT_EQ(registry_.RegCloseKey(key), pellam::reg::kErrorSuccess);
  EXPECT_EQ(registry_.RegCloseKey(key), pellam::reg::kErrorInvalidHandle);
  EXPECT_EQ(registry_.RegCloseKey(static_cast<KeyHandle>(0x1234)),
            pellam::reg::kErrorInvalidHandle);
  EXPECT_EQ(registry_.RegCloseKey(pellam::reg::kLocalMachine), pellam::reg::kErrorSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(registry_.RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size),
            pellam::reg::kErrorInvalidHandle);
}

TEST_F(WinePrefixRegistryCallsTest, OpensBelowAnOpenKeyAndQueriesARoot) {
  KeyHandle software{};
  KeyHandle a{};
  ASSERT_EQ(registry_.RegOpenKeyExA(pellam::reg::kLocalMachine, "software", 0, 1, &software), 0);
  ASSERT_EQ(registry_.RegOpenKeyExA(software, "a", 0, 1, &a), 0);
  std::uint32_t size = 0;
  EXPECT_EQ(registry_.RegQueryValueExA(a, "d", nullptr, nullptr, nullptr, &size), 0);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(
      registry_.RegQueryValueExA(pellam::reg::kLocalMachine, "v", nullptr, nullptr, nullptr, &size),
      pellam::reg::kErrorFileNotFound);
  EXPECT_EQ(registry_.RegCloseKey(a), 0);
  EXPECT_EQ(registry_.RegCloseKey(software), 0);
}

TEST_F(WinePrefixRegistryCallsTest, EachOpenReadsTheFileAfresh) {
  KeyHandle key{};
  ASSERT_EQ(registry_.RegOpenKeyExA(pellam::reg::kLocalMachine, "Software\\B", 0, 1, &key),
            pellam::reg::kErrorFileNotFound);
  prefix_.Write("system.reg", kHeader + "[Software\\\\B]\n");
  EXPECT_EQ(registry_.RegOpenKeyExA(pellam::reg::kLocalMachine, "Software\\B", 0, 1, &key),
            pellam::reg::kErrorSuccess);
  EXPECT_EQ(registry_.RegCloseKey(key), 0);
}

TEST_F(WinePrefixRegistryCallsTest, ReservedMustBeNull) {
  std::uint32_t reserved = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(registry_.RegQueryValueExA(pellam::reg::kLocalMachine, "v", &reserved, nullptr, nullptr,
                                       &size),
            pellam::reg::kErrorInvalidParameter);
}

TEST(WinePrefixRegistryTest, FindsThePrefixAsWineDoes) {
  using pellam::wine::WinePrefixRegistry;
  EXPECT_EQ(WinePrefixRegistry::FindPrefix("/p/x", "/home/u"), "/p/x");
  EXPECT_EQ(WinePrefixRegistry::FindPrefix("relative", "/home/u"), "/home/u/.wine");
  EXPECT_EQ(WinePrefixRegistry::FindPrefix(nullptr, "/home/u"), "/home/u/.wine");
  EXPECT_EQ(WinePrefixRegistry::FindPrefix(nullptr, nullptr), "");
}

// Broken files answer "not found" (or what Wine gives) without crashing,
// hanging or growing without bound.
// With no home to find ~/.wine in there is no prefix: a registry file in the
// working directory is not one.
TEST(WinePrefixRegistryTest, NoPrefixHoldsNoKeysWhateverTheWorkingDirectoryHolds) {
  const Prefix elsewhere("working-directory");
  elsewhere.Write("system.reg", kHeader + "[Software\\\\A]\n");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere.dir());
  pellam::wine::WinePrefixRegistry registry(
      pellam::wine::WinePrefixRegistry::FindPrefix(nullptr, nullptr));
  KeyHandle key{};
  const std::int32_t opened =
      registry.RegOpenKeyExA(pellam::reg::kLocalMachine, "Software\\A", 0, 1, &key);
  std::filesystem::current_path(previous);
  EXPECT_EQ(opened, pellam::reg::kErrorFileNotFound);
}

TEST(WinePrefixRegistryTest, SurvivesHostileFiles) {
  const Prefix prefix("hostile");
  pellam::wine::WinePrefixRegistry registry(prefix.dir());
  std::string junk;
  for (int i = 0; i < 200000; ++i) {
    junk.push_back(static_cast<char>((i * 7919) % 256));
  }
  std::string million_keys = kHeader;
  for (int i = 0; i < 1000000; ++i) {
    million_keys += "[K" + std::to_string(i) + "]\n";
  }
  const std::string texts[] = {
      junk,
      kHeader + junk,
      kHeader + "[Software\\\\A]\n\"v\"=\"" + std::string(3 << 20, 'x'),
      kHeader + "[" + std::string(1 << 20, '[') + "\n",
      kHeader + std::string(1 << 20, '\\') + "\n[Software\\\\A]\n",
      kHeader + "[Software\\\\A]\n\"v\"=hex:" + std::string(1 << 20, ',') + "\\\n",
      kHeader + "[Software\\\\A]\n\"v\"=\"\\x\\",
      kHeader.substr(0, 10),
      million_keys,
  };
  for (const std::string& text : texts) {
    prefix.Write("system.reg", text);
    KeyHandle key{};
    const auto rc = registry.RegOpenKeyExA(pellam::reg::kLocalMachine, "Software\\A", 0, 1, &key);
    if (rc == pellam::reg::kErrorSuccess) {
      std::uint32_t size = 0;
      registry.RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size);
      EXPECT_EQ(registry.RegCloseKey(key), 0);
    } else {
      EXPECT_EQ(rc, pellam::reg::kErrorFileNotFound);
    }
  }
  KeyHandle key{};
  EXPECT_EQ(registry.RegOpenKeyExA(pellam::reg::kLocalMachine, "K999999", 0, 1, &key),
            pellam::reg::kErrorSuccess);
  EXPECT_EQ(registry.RegCloseKey(key), 0);
}

}  // namespace
