// ReadRegistryString over a prefix that wineboot made, cross-checked with
// what `wine reg query` printed for the same values (see make_wine_prefix.sh).

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Pellam/read_registry_string.hpp"
#include "Pellam/registry_constants.hpp"
#include "Pellam/wine/reg_file.hpp"
#include "Pellam/wine/wine_prefix_registry.hpp"
#include "runtime/core/ansi_codec.hpp"

namespace {

std::filesystem::path PrefixDir() {
  return std::getenv("PELLAM_TEST_PREFIX");
}

class RecordingSink : public pellam::MessageSink {
 public:
  std::vector<std::u16string> shown;
  void Show(std::u16string_view text) override { shown.emplace_back(text); }
};

struct Listed {
  std::string name;
  std::string type;
  std::string data;
};

// `wine reg query` lists each value as "    name    REG_TYPE    data".
std::vector<Listed> QueryListing() {
  std::ifstream in(PrefixDir() / "query.txt");
  std::vector<Listed> values;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (!line.starts_with("    ")) {
      continue;
    }
    const std::size_t type_at = line.find("    REG_", 4);
    if (type_at == std::string::npos) {
      continue;
    }
    const std::size_t data_at = line.find("    ", type_at + 4);
    Listed value{line.substr(4, type_at - 4),
                 line.substr(type_at + 4, data_at == std::string::npos ? std::string::npos
                                                                       : data_at - type_at - 4),
                 data_at == std::string::npos ? "" : line.substr(data_at + 4)};
    values.push_back(value);
  }
  return values;
}

std::string NumberText(const std::string& hex, int digits) {
  unsigned long long value = 0;
  std::from_chars(hex.data() + 2, hex.data() + hex.size(), value, 16);
  char text[64];
  std::snprintf(text, sizeof text, "0x%0*llx (%llu)", digits, value, value);
  return text;
}

// The text ReadRegistryString should give for what reg printed.
std::string Expected(const Listed& value) {
  if (value.type == "REG_DWORD") {
    return NumberText(value.data, 8);
  }
  if (value.type == "REG_DWORD_BIG_ENDIAN") {
    // reg prints the stored bytes as a little-endian number; the reader swaps them.
    unsigned long value_read = std::stoul(value.data, nullptr, 16);
    unsigned long swapped = 0;
    for (int i = 0; i < 4; ++i, value_read >>= 8) {
      swapped = (swapped << 8) | (value_read & 0xFF);
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", swapped);
    return NumberText(text, 8);
  }
  if (value.type == "REG_QWORD") {
    // Wine 8's reg prints "(null)" for a QWORD; the script wrote this one.
    return NumberText(value.data == "(null)" ? "0x123456789abcdef0" : value.data, 16);
  }
  if (value.type == "REG_MULTI_SZ") {
    std::string joined = value.data;
    for (std::size_t at; (at = joined.find("\\0")) != std::string::npos;) {
      joined.replace(at, 2, " ");
    }
    return joined;
  }
  if (value.type == "REG_BINARY" || value.type == "REG_NONE") {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
      bytes += (bytes.empty() ? "" : " ") + value.data.substr(i, 2);
    }
    for (char& c : bytes) {
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return bytes;
  }
  return value.data;
}

std::u16string Read(pellam::KeyHandle root, std::u16string key, std::u16string name,
                    RecordingSink& sink) {
  pellam::wine::WinePrefixRegistry registry(PrefixDir());
  return pellam::ReadRegistryString(registry, sink, root, std::move(key), std::move(name));
}

TEST(RealPrefixTest, EveryValueReadsAsWineRegQueryShowsIt) {
  const std::vector<Listed> values = QueryListing();
  ASSERT_GE(values.size(), 11u) << "reg query's listing was not understood";
  for (const Listed& value : values) {
    SCOPED_TRACE(value.name + " " + value.type);
    RecordingSink sink;
    const std::u16string name = value.name == "(Default)" ? u"" : rt::FromAnsi(value.name);
    EXPECT_EQ(rt::ToAnsi(Read(pellam::reg::kCurrentUser, u"Software\\Pellam Test", name, sink)),
              Expected(value));
    EXPECT_TRUE(sink.shown.empty());
  }
}

TEST(RealPrefixTest, NonAsciiNamesMatchWhateverTheirCase) {
  RecordingSink sink;
  EXPECT_EQ(Read(pellam::reg::kCurrentUser,
                 u"SOFTWARE\\pellam test\\\u03a9\u039c\u0388\u0393\u0391", u"CAF\u00c9", sink),
            u"na\u00efve");
  EXPECT_TRUE(sink.shown.empty());
}

TEST(RealPrefixTest, ReadsSystemRegThroughEveryWayIn) {
  RecordingSink sink;
  EXPECT_EQ(Read(pellam::reg::kLocalMachine, u"Software\\Pellam Test\\Sub", u"Machine", sink),
            u"in system.reg");
  EXPECT_EQ(Read(pellam::reg::kUsers, u"S-1-5-21-0-0-0-1000\\Software\\Pellam Test", u"Text", sink),
            u"hello world");
  EXPECT_FALSE(Read(pellam::reg::kLocalMachine, u"Software\\Microsoft\\Windows NT\\CurrentVersion",
                    u"CurrentBuild", sink)
                   .empty());
  EXPECT_TRUE(sink.shown.empty());
}

TEST(RealPrefixTest, MissingValueAndKey) {
  RecordingSink sink;
  EXPECT_EQ(Read(pellam::reg::kCurrentUser, u"Software\\Pellam Test", u"Nope", sink), u"");
  EXPECT_EQ(Read(pellam::reg::kCurrentUser, u"Software\\No Such Key", u"Text", sink), u"");
  EXPECT_EQ(sink.shown,
            (std::vector<std::u16string>{u"Error getting subkey length.",
                                         u"Error getting subkey value.", u"Error opening key."}));
}

TEST(RealPrefixTest, FollowsWinesOwnLinks) {
  // In a 64-bit prefix Software\Wow6432Node\Classes links to Software\Classes\Wow6432Node.
  pellam::wine::WinePrefixRegistry registry(PrefixDir());
  pellam::KeyHandle key{};
  ASSERT_EQ(registry.RegOpenKeyExA(pellam::reg::kLocalMachine, "Software\\Wow6432Node\\Classes", 0,
                                   pellam::reg::kKeyQueryValue, &key),
            pellam::reg::kErrorSuccess);
  std::uint32_t size = 0;
  EXPECT_EQ(registry.RegQueryValueExA(key, "SymbolicLinkValue", nullptr, nullptr, nullptr, &size),
            pellam::reg::kErrorFileNotFound)
      << "the link was followed to its target";
  EXPECT_EQ(registry.RegCloseKey(key), pellam::reg::kErrorSuccess);
}

TEST(RealPrefixTest, ScanPassingOverKeysAgreesWithReadingEveryLine) {
  std::ifstream in(PrefixDir() / "system.reg", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_FALSE(text.empty());
  using Path = std::vector<std::u16string>;
  for (const Path& path :
       {Path{}, Path{u"software"}, Path{u"software", u"classes"},
        Path{u"software", u"microsoft", u"windows nt", u"currentversion"},
        Path{u"software", u"microsoft", u"windows", u"currentversion", u"run"},
        Path{u"software", u"wow6432node", u"classes"},
        Path{u"system", u"currentcontrolset", u"control"},
        Path{u"software", u"pellam test", u"sub"}, Path{u"software", u"no such key"}}) {
    EXPECT_EQ(pellam::wine::ScanKeys(text, path), pellam::wine::ScanKeysLineByLine(text, path))
        << rt::ToAnsi(path.empty() ? u"" : path.back());
  }
}

TEST(RealPrefixTest, NeverTouchesTheFiles) {
  std::vector<std::filesystem::file_time_type> before;
  for (const char* file : {"system.reg", "user.reg", "userdef.reg"}) {
    before.push_back(std::filesystem::last_write_time(PrefixDir() / file));
  }
  RecordingSink sink;
  Read(pellam::reg::kCurrentUser, u"Software\\Pellam Test", u"Text", sink);
  std::size_t i = 0;
  for (const char* file : {"system.reg", "user.reg", "userdef.reg"}) {
    EXPECT_EQ(std::filesystem::last_write_time(PrefixDir() / file), before[i++]) << file;
  }
}

}  // namespace
