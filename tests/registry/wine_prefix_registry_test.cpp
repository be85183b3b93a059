// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/wine/wine_prefix_registry.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>

#include "registry/registry_constants.hpp"

namespace {

namespace fs = std::filesystem;
namespace reg = pellam::reg;
using pellam::KeyHandle;
using namespace std::string_literals;

const std::string kHeader = "WINE REGISTRY Version 2\n";
constexpr KeyHandle kHklm = reg::kLocalMachine;
constexpr std::int32_t kOk = reg::kErrorSuccess;
constexpr std::int32_t kNotFound = reg::kErrorFileNotFound;

// The sample prefix, copied to a directory of the running test's own, named by
// test and process; system.reg then gets what a text file keeps poorly: a NUL,
// and a hex value continued at the end of the file.
struct Prefix {
  Prefix() {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    dir = fs::path(testing::TempDir()) / (name + "-" + std::to_string(::getpid()));
    fs::copy(PELLAM_TEST_DATA "/prefix", dir);
    std::ofstream(dir / "system.reg", std::ios::app)
        << "[Z]\n\"nul\"=\"ab\"\0\"x\"\n\"end\"=hex:01,\\"s;
  }
  ~Prefix() { fs::remove_all(dir); }
  fs::path dir;
};

// What the A functions give for a value: "open <rc>", "query <rc>", or
// "<type>:<data as read with a buffer of the reported size>".
std::string Query(pellam::wine::WinePrefixRegistry& registry, KeyHandle root,
                  const std::string& path, const char* value) {
  KeyHandle key{};
  std::uint32_t type = 0;
  std::uint32_t size = 0;
  if (const auto rc = registry.RegOpenKeyExA(root, path.c_str(), 0, 1, &key)) {
    return "open " + std::to_string(rc);
  }
  if (const auto rc = registry.RegQueryValueExA(key, value, nullptr, &type, nullptr, &size)) {
    return "query " + std::to_string(rc);
  }
  std::string data(size, ' ');
  EXPECT_EQ(registry.RegQueryValueExA(key, value, nullptr, &type,
                                      reinterpret_cast<std::uint8_t*>(data.data()), &size),
            0);
  return std::to_string(type) + ":" + data;
}

// A case: its name, the root, key path and value name read, and the answer.
using Row = std::tuple<std::string, KeyHandle, std::string, const char*, std::string>;

Row ValueRow(std::string name, const char* value, std::string expected) {
  return {std::move(name), kHklm, "A", value, std::move(expected)};
}
Row KeyRow(std::string name, std::string path, std::string expected, KeyHandle root = kHklm) {
  return {std::move(name), root, std::move(path), "v", std::move(expected)};
}

const std::string kNoKey = "open 2";
const std::string kNoValue = "query 2";

TEST(WinePrefixRegistryTest, AnswersAsWineDoes) {
  const Prefix prefix;
  pellam::wine::WinePrefixRegistry registry(prefix.dir);
  for (const Row& row :
       {ValueRow("StrTag", "str", "1:x\0"s),
        ValueRow("DwordCutTo32Bits", "dword", "4:\x90\x78\x56\x34"s),
        ValueRow("DwordNegativeWraps", "neg", "4:\xff\xff\xff\xff"s),
        ValueRow("HexContinuedWithAndWithoutCommas", "bin", "3:\1\2\xff\3"s),
        ValueRow("HexOfAMultiDigitType", "typed", "4660:\xab"),
        ValueRow("SpacesAndCrLf", "spaced", "1:s\0"s),
        ValueRow("IndentedAndCaseInsensitive", "CASE", "1:c\0"s),
        ValueRow("MalformedDataIsNone", "bad", "0:"),
        ValueRow("HexByteTooBigIsNone", "big", "0:"),
        ValueRow("UnterminatedStringIsNone", "open", "0:"),
        ValueRow("HexTypeWithoutColonIsNone", "nocolon", "0:"),
        ValueRow("Escapes", "esc", "1:q\"b\\s[]z\a\b\x1b\f\n\r\t\vA09\0"s),
        ValueRow("HexEscapesAndUtf8", "hexesc",
                 "1:\xe2\x98\xba"
                 "1xg\xf0\x9f\x98\x80\xef\xbf\xbd.caf\xc3\xa9\xef\xbf\xbdx\0"s),
        ValueRow("EscapedName", "a\"b", "1:n\0"s),
        ValueRow("LastDataWins", "dup", "1:b\0"s),
        ValueRow("MalformedRepeatIsNone", "reset", "0:"),
        Row{"NulEndsTheLine", kHklm, "Z", "nul", "1:ab\0"s},
        ValueRow("RepeatedSectionsMerge", "again", "1:2\0"s),
        ValueRow("NoEqualsNoValue", "noeq", kNoValue),
        KeyRow("ValueBeforeAnyKeyDroppedNotContinued", "Early", kNoValue),
        Row{"HexContinuedAtEndOfFileIsNone", kHklm, "Z", "end", "0:"},
        KeyRow("KelvinSignDoesNotFold", "S\\\xe2\x84\xaa", kNoKey),
        KeyRow("EscapedKeyName", "S\\Caf\xc3\xa9 [1]", kNoValue),
        KeyRow("SeparatorRunsCollapse", "S\\\\R\\", "1:r\0"s),
        KeyRow("RootSection", "", "1:root\0"s),
        KeyRow("ParentOfASectionExists", "P", kNoValue),
        KeyRow("LeadingSeparatorDropsTheKey", "Lead", kNoKey),
        KeyRow("OverlongNameDropsTheKey", "N", kNoKey),
        KeyRow("ValuesAfterAMalformedKeyGoNowhere", "P\\Q", kNoValue),
        KeyRow("UnterminatedKeyLineIsDropped", "Open", kNoKey),
        KeyRow("HexValueSwallowsAKeyLine", "H\\Swallowed", kNoKey),
        KeyRow("OneLeadingBackslashUnderClasses", "\\.txt", kNoValue, reg::kClassesRoot),
        KeyRow("TwoLeadingBackslashesUnderClasses", "\\\\.txt", "open 161", reg::kClassesRoot),
        KeyRow("NameOf257IsInvalid", "S\\" + std::string(257, 'x'), "open 87"),
        KeyRow("NameOf256IsMissing", "S\\" + std::string(256, 'x'), kNoKey),
        KeyRow("UsersOtherSid", "S-1-5-18", kNoKey, reg::kUsers),
        KeyRow("LinkAcrossFiles", "L", "1:user\0"s),
        KeyRow("LinkTargetThroughALink", "L2", "1:t\0"s),
        KeyRow("ChainOf16LinksIsFollowed", "Cb", "1:t\0"s),
        KeyRow("ChainOf17LinksIsTooDeep", "Ca", kNoKey),
        KeyRow("LinkWithRelativeTarget", "Rel", kNoKey),
        KeyRow("LinkWithoutTarget", "NoTarget", kNoKey),
        KeyRow("LinkToRegistryRootOnly", "RootOnly", kNoKey),
        KeyRow("LinkFlagInARepeatedSection", "Rep\\Software\\T", "1:t\0"s)}) {
    const auto& [name, root, path, value, expected] = row;
    EXPECT_EQ(Query(registry, root, path, value), expected) << name;
  }
}

TEST(WinePrefixRegistryTest, HandlesSizesAndRereads) {
  const Prefix prefix;
  pellam::wine::WinePrefixRegistry registry(prefix.dir);
  KeyHandle software{};
  KeyHandle key_a{};
  ASSERT_EQ(registry.RegOpenKeyExA(kHklm, "", 0, 1, &software), 0);
  ASSERT_EQ(registry.RegOpenKeyExA(software, "a", 0, 1, &key_a), 0);
  std::uint8_t buffer[5] = {1, 1, 1, 1, 1};
  std::uint32_t size = sizeof buffer;
  std::uint32_t type = 0;
  EXPECT_EQ(registry.RegQueryValueExA(key_a, "sz", nullptr, &type, buffer, &size),
            reg::kErrorMoreData);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(type, reg::kTypeSz);
  EXPECT_EQ(buffer[0], 1) << "nothing is written";
  EXPECT_EQ(registry.RegQueryValueExA(key_a, "sz", &size, nullptr, nullptr, &size),
            reg::kErrorInvalidParameter);
  EXPECT_EQ(registry.RegQueryValueExA(kHklm, "sz", nullptr, nullptr, nullptr, &size), kNotFound);
  EXPECT_EQ(size, 6u) << "a failed query leaves the size alone";
  EXPECT_EQ(registry.RegCloseKey(key_a), 0);
  EXPECT_EQ(registry.RegCloseKey(key_a), reg::kErrorInvalidHandle);
  EXPECT_EQ(registry.RegQueryValueExA(key_a, "v", nullptr, nullptr, nullptr, &size),
            reg::kErrorInvalidHandle);
  EXPECT_EQ(registry.RegCloseKey(kHklm), 0);
  // Each open rereads the file. An unknown header, or an unknown or changing
  // #arch outside a key (after a malformed key line too), stops the load.
  for (const auto& [text, rc] : {std::pair{"WINE REGISTRY Version 1\n[B]\n", kNotFound},
                                 {"#arch=win16\n[B]\n", kNotFound},
                                 {"#arch=win64\n#arch=win32\n[B]\n", kNotFound},
                                 {"[A]\n[Bad\n#arch=x\n[B]\n", kNotFound},
                                 {"[A]\n#arch=x\n[B]\n", kOk}}) {
    std::ofstream(prefix.dir / "system.reg") << (text[0] == 'W' ? "" : kHeader) << text;
    EXPECT_EQ(registry.RegOpenKeyExA(kHklm, "B", 0, 1, &key_a), rc) << text;
  }
}

TEST(WinePrefixRegistryTest, FindsThePrefixAsWineDoesAndNoneWithoutAHome) {
  using pellam::wine::WinePrefixRegistry;
  EXPECT_EQ(WinePrefixRegistry::FindPrefix("relative", "/home/u"), "/home/u/.wine");
  const Prefix working_directory;
  const fs::path previous = fs::current_path();
  fs::current_path(working_directory.dir);
  WinePrefixRegistry registry(WinePrefixRegistry::FindPrefix(nullptr, nullptr));
  KeyHandle key{};
  const std::int32_t opened = registry.RegOpenKeyExA(kHklm, "S", 0, 1, &key);
  fs::current_path(previous);
  EXPECT_EQ(opened, kNotFound);
}

// Only regular files up to the limit are read: a FIFO must not block the open
// (a regression hangs until ctest's timeout), a device must not feed the scan
// without end, a huge file must not be read whole. Sparse files cost no disk.
TEST(WinePrefixRegistryTest, ReadsOnlyRegularFilesUpToTheLimit) {
  const Prefix prefix;
  const fs::path file = prefix.dir / "system.reg";
  const fs::path huge = prefix.dir / "huge";
  fs::copy(file, huge);
  fs::resize_file(huge, std::uintmax_t{100} << 30);
  fs::copy(file, prefix.dir / "over");
  fs::resize_file(prefix.dir / "over", pellam::wine::kMaxFileSize + 1);
  auto opens = [&](const char* file_is, std::int32_t rc) {
    pellam::wine::WinePrefixRegistry registry(prefix.dir);
    KeyHandle key{};
    EXPECT_EQ(registry.RegOpenKeyExA(kHklm, "A", 0, 1, &key), rc) << file_is;
    fs::remove(file);
  };
  // A date ahead of the clock is a skewed clock or a copied date, not a
  // write under way.
  fs::last_write_time(file, fs::file_time_type::clock::now() + std::chrono::hours(24));
  opens("regular, dated a day ahead", kOk);
  fs::rename(prefix.dir / "over", file);
  opens("over the limit", kNotFound);
  ASSERT_FALSE(HasFailure()) << "the next file would be read whole";
  fs::create_symlink(huge, file);
  opens("a link to 100 GB", kNotFound);
  fs::create_symlink("/dev/zero", file);
  opens("a link to a device", kNotFound);
  ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
  opens("a FIFO", kNotFound);
}

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary | std::ios::trunc) << kHeader << text;
}

// Long strings are decoded and converted a piece at a time: no piece may split
// a UTF-8 sequence (three bytes each here) or a surrogate pair.
TEST(WinePrefixRegistryTest, DecodesLongStringsWhole) {
  const Prefix prefix;
  std::string euros, faces, expected;
  for (int i = 0; i < 40000; ++i) {
    euros += "\xe2\x82\xac";
    faces += "\\xd83d\\xde00";
    expected += "\xf0\x9f\x98\x80";
  }
  Write(prefix.dir / "system.reg", "[A]\n\"v\"=\"" + euros + "\\x41" + faces + "\"\n");
  pellam::wine::WinePrefixRegistry registry(prefix.dir);
  EXPECT_EQ(Query(registry, kHklm, "A", "v"), "1:" + euros + "A" + expected + "\0"s);
}

// A link key's lines: its target is \Registry\Machine\`target`.
std::string Link(const std::string& name, const std::string& target) {
  std::string hex;
  for (char character : "\\Registry\\Machine" + (target.empty() ? "" : "\\" + target)) {
    char unit[8];
    std::snprintf(unit, sizeof unit, ",%02x,00", character);
    hex += unit;
  }
  return "[" + name + "]\n#link\n\"SymbolicLinkValue\"=hex(6):" + hex.substr(1) + "\n\n";
}

// However system.reg changes while a key is open, the key answers from the
// file it was opened in (no SIGBUS, no mixed text); a new open reads the new one.
TEST(WinePrefixRegistryTest, AnOpenKeyKeepsItsFileWhateverHappensToIt) {
  constexpr auto kInPlace = std::ios::binary | std::ios::in | std::ios::out;
  constexpr auto kTruncated = std::ios::binary | std::ios::out | std::ios::trunc;
  constexpr std::ios::openmode kRenamed{};  // written beside it, then renamed over it
  // How system.reg is written while the key is open, the text, what a new open reads.
  const std::tuple<const char*, std::ios::openmode, std::string, std::string> rows[] = {
      {"truncated", kTruncated, "", kNoKey},
      {"rewritten in place, same size", kInPlace, kHeader + "[A]\n\"v\"=\"new\"", "1:new\0"s},
      {"rewritten with other keys", kTruncated, kHeader + "[B]\n\"v\"=\"old\"\n[A]\n[N]\n",
       kNoValue},
      {"replaced by rename", kRenamed, kHeader + "[A]\n\"v\"=\"b\"\n", "1:b\0"s}};
  for (const auto& [name, mode, text, reopened] : rows) {
    const Prefix prefix;
    const fs::path file = prefix.dir / "system.reg";
    Write(file, "[A]\n\"v\"=\"old\"\n[B]\n\"v\"=\"b\"\n");
    pellam::wine::WinePrefixRegistry registry(prefix.dir);
    KeyHandle key{};
    ASSERT_EQ(registry.RegOpenKeyExA(kHklm, "A", 0, 1, &key), 0) << name;
    std::fstream(mode == kRenamed ? prefix.dir / "new" : file, mode == kRenamed ? kTruncated : mode)
        << text;
    if (mode == kRenamed) {
      fs::rename(prefix.dir / "new", file);
    }
    std::uint8_t data[8] = {};
    std::uint32_t size = sizeof data;
    EXPECT_EQ(registry.RegQueryValueExA(key, "v", nullptr, nullptr, data, &size), 0) << name;
    EXPECT_EQ(std::string(data, data + size), "old\0"s) << name;
    EXPECT_EQ(Query(registry, kHklm, "A", "v"), reopened) << name;
  }
}

// F0 leads to \Registry\Machine, and each F<n> leads there through three
// F<n-1> in a row: opening F<n> follows 1 + 3 * (links of F<n-1>) links. Past
// the open's budget (kMaxLinksPerOpen, 32) a link leads nowhere, however
// shallow the nesting, and each link costs at most two scans of the one copy
// of the file.
TEST(WinePrefixRegistryTest, LinksThatFanOutStopAtTheBudget) {
  const Prefix prefix;
  std::string text = Link("F0", "") + "[S]\n\"v\"=\"s\"\n";
  for (int n = 1; n <= 15; ++n) {
    std::string target;
    for (int i = 0; i < 3; ++i) {
      target += "\\F" + std::to_string(n - 1);
    }
    text += Link("F" + std::to_string(n), target.substr(1));
  }
  Write(prefix.dir / "system.reg", text);
  for (const auto& [path, links, expected] :
       {std::tuple{"F2\\S", 13, "1:s\0"s}, {"F3\\S", 40, kNoKey}, {"F15\\S", 21523360, kNoKey}}) {
    pellam::wine::WinePrefixRegistry registry(prefix.dir);
    EXPECT_EQ(Query(registry, kHklm, path, "v"), expected) << path << ", " << links << " links";
    EXPECT_LE(registry.key_scans(), 2 * std::size_t{pellam::wine::kMaxLinksPerOpen} + 1) << path;
    EXPECT_EQ(registry.file_reads(), 1u) << path;
  }
}

// While system.reg is replaced again and again by two versions in which a link
// leads to different keys, a read through the link gives one version's value
// (or nothing, for a file that kept changing while it was read), never the
// old link's target as the new file has it.
TEST(WinePrefixRegistryTest, ALinkFollowedWhileTheFileIsReplacedAnswersFromOneVersion) {
  const Prefix prefix;
  Write(prefix.dir / "0", Link("L", "T") + "[T]\n\"v\"=\"one\"\n[U]\n\"v\"=\"mixed\"\n");
  Write(prefix.dir / "1", Link("L", "U") + "[T]\n\"v\"=\"mixed\"\n[U]\n\"v\"=\"one\"\n");
  fs::copy_file(prefix.dir / "0", prefix.dir / "system.reg", fs::copy_options::overwrite_existing);
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; !done; ++i) {
      fs::copy_file(prefix.dir / std::to_string(i % 2), prefix.dir / "next",
                    fs::copy_options::overwrite_existing);
      fs::rename(prefix.dir / "next", prefix.dir / "system.reg");
    }
  });
  pellam::wine::WinePrefixRegistry registry(prefix.dir);
  for (int i = 0; i < 400; ++i) {
    EXPECT_THAT(Query(registry, kHklm, "L", "v"), testing::AnyOf("1:one\0"s, kNoKey));
  }
  done = true;
  writer.join();
}

}  // namespace
