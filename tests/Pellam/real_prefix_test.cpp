// The backend over a prefix that wineboot made, held to what `wine reg query`
// printed for the values make_wine_prefix.sh wrote: the raw type and bytes.

#include <gtest/gtest.h>

#include <algorithm>
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

namespace {

namespace reg = pellam::reg;
using namespace std::string_literals;

std::filesystem::path PrefixDir() {
  return std::getenv("PELLAM_TEST_PREFIX");
}

// The bytes behind what reg printed: numbers in hex, bytes as hex pairs,
// strings as text with "\0" between those of a list.
std::string StoredBytes(const std::string& type, const std::string& shown) {
  std::string bytes;
  if (type.starts_with("REG_DWORD")) {
    for (unsigned long number = std::stoul(shown, nullptr, 16); bytes.size() < 4; number >>= 8) {
      bytes += static_cast<char>(number);
    }
  } else if (type == "REG_BINARY" || type == "REG_NONE") {
    for (std::size_t i = 0; i + 1 < shown.size(); i += 2) {
      bytes += static_cast<char>(std::stoi(shown.substr(i, 2), nullptr, 16));
    }
  } else {
    bytes = shown + '\0' + (type == "REG_MULTI_SZ" ? "\0"s : "");
    for (std::size_t at; (at = bytes.find("\\0")) != std::string::npos;) {
      bytes.replace(at, 2, 1, '\0');
    }
  }
  return bytes;
}

// reg lists each value as "    name    REG_TYPE    data"; the backend must
// give each one's type and bytes (Wine 8's reg prints no QWORD: its size then).
TEST(RealPrefixTest, EveryValueHoldsWhatWineRegQueryShows) {
  const std::vector<std::string> types = {"REG_NONE",   "REG_SZ",      "REG_EXPAND_SZ",
                                          "REG_BINARY", "REG_DWORD",   "REG_DWORD_BIG_ENDIAN",
                                          "REG_LINK",   "REG_MULTI_SZ"};
  pellam::wine::WinePrefixRegistry registry(PrefixDir());
  pellam::KeyHandle key{};
  ASSERT_EQ(registry.RegOpenKeyExA(reg::kCurrentUser, "Software\\Pellam Test", 0, 1, &key), 0);
  std::ifstream in(PrefixDir() / "query.txt");
  int values = 0;
  for (std::string line; std::getline(in, line); ++values) {
    line.erase(line.find_last_not_of('\r') + 1);
    const std::size_t type_at = line.find("    REG_");
    if (!line.starts_with("    ") || type_at == std::string::npos) {
      --values;
      continue;
    }
    const std::size_t data_at = std::min(line.find("    ", type_at + 4), line.size());
    const std::string type = line.substr(type_at + 4, data_at - type_at - 4);
    const std::string shown = line.substr(std::min(data_at + 4, line.size()));
    const std::string name = line.substr(4, type_at - 4);
    std::uint32_t got_type = 0;
    std::string data(64, '?');
    auto size = static_cast<std::uint32_t>(data.size());
    ASSERT_EQ(
        registry.RegQueryValueExA(key, name == "(Default)" ? "" : name.c_str(), nullptr, &got_type,
                                  reinterpret_cast<std::uint8_t*>(data.data()), &size),
        0)
        << line;
    const auto index = std::find(types.begin(), types.end(), type) - types.begin();
    EXPECT_EQ(got_type, type == "REG_QWORD" ? reg::kTypeQword : index) << line;
    EXPECT_EQ(data.substr(0, size),
              shown == "(null)" ? data.substr(0, 8) : StoredBytes(type, shown))
        << line;
  }
  EXPECT_GE(values, 11) << "reg query's listing was not understood";
}

class RecordingSink : public pellam::MessageSink {
 public:
  std::vector<std::u16string> shown;
  void Show(std::u16string_view text) override { shown.emplace_back(text); }
};

TEST(RealPrefixTest, ReadsThroughEachFileAndWinesOwnLinks) {
  pellam::wine::WinePrefixRegistry registry(PrefixDir());
  RecordingSink sink;
  auto read = [&](pellam::KeyHandle root, std::u16string key, std::u16string name) {
    return pellam::ReadRegistryString(registry, sink, root, std::move(key), std::move(name));
  };
  EXPECT_EQ(read(reg::kCurrentUser, u"SOFTWARE\\pellam test\\\u03a9\u039c\u0388\u0393\u0391",
                 u"CAF\u00c9"),
            u"na\u00efve");
  EXPECT_EQ(read(reg::kLocalMachine, u"Software\\Pellam Test\\Sub", u"Machine"), u"in system.reg");
  EXPECT_EQ(read(reg::kUsers, u"S-1-5-21-0-0-0-1000\\Software\\Pellam Test", u"Text"),
            u"hello world");
  // Software\Wow6432Node\Classes is a link to Software\Classes\Wow6432Node.
  EXPECT_EQ(read(reg::kLocalMachine, u"Software\\Wow6432Node\\Classes", u"SymbolicLinkValue"), u"");
  EXPECT_EQ(sink.shown, (std::vector<std::u16string>{u"Error getting subkey length.",
                                                     u"Error getting subkey value."}));
}

TEST(RealPrefixTest, ScanPassingOverKeysAgreesWithReadingEveryLine) {
  std::ifstream in(PrefixDir() / "system.reg", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(text.size(), 100000u);
  using Path = std::vector<std::u16string>;
  for (const Path& path : {Path{}, Path{u"software", u"classes"},
                           Path{u"software", u"microsoft", u"windows nt", u"currentversion"},
                           Path{u"software", u"wow6432node", u"classes"},
                           Path{u"system", u"currentcontrolset", u"control"},
                           Path{u"software", u"pellam test", u"sub"}, Path{u"software", u"no"}}) {
    EXPECT_EQ(pellam::wine::ScanKeys(text, path), pellam::wine::ScanKeysLineByLine(text, path));
  }
}

}  // namespace
