// Registry files that change while they are read, and links that would make
// an open do unbounded work: every answer comes whole from one version of the
// file, or is a clean failure, and the work stays bounded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "registry/registry_constants.hpp"
#include "registry/wine/wine_prefix_registry.hpp"

namespace {

namespace fs = std::filesystem;
namespace reg = pellam::reg;
using pellam::KeyHandle;
using pellam::wine::WinePrefixRegistry;

// A directory of the running test's own, holding `system_reg` as system.reg.
struct Prefix {
  explicit Prefix(const std::string& system_reg) {
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    dir = fs::path(testing::TempDir()) / (std::string(test->test_suite_name()) + "." +
                                          test->name() + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    Write(dir / "system.reg", system_reg);
  }
  ~Prefix() { fs::remove_all(dir); }
  static void Write(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
  }
  fs::path system_reg() const { return dir / "system.reg"; }
  fs::path dir;
};

// The data of `value` in the open `key` as text, or "query <rc>".
std::string Read(WinePrefixRegistry& registry, KeyHandle key, const char* value) {
  std::uint32_t size = 0;
  if (const auto rc = registry.RegQueryValueExA(key, value, nullptr, nullptr, nullptr, &size)) {
    return "query " + std::to_string(rc);
  }
  std::string data(size, '\0');
  if (const auto rc = registry.RegQueryValueExA(
          key, value, nullptr, nullptr, reinterpret_cast<std::uint8_t*>(data.data()), &size)) {
    return "query " + std::to_string(rc);
  }
  return data.substr(0, data.find('\0'));
}

// The value's text under HKEY_LOCAL_MACHINE\`path`, or "open <rc>".
std::string OpenAndRead(WinePrefixRegistry& registry, const std::string& path, const char* value) {
  KeyHandle key{};
  if (const auto rc = registry.RegOpenKeyExA(reg::kLocalMachine, path.c_str(), 0, 1, &key)) {
    return "open " + std::to_string(rc);
  }
  std::string text = Read(registry, key, value);
  registry.RegCloseKey(key);
  return text;
}

std::string Reg(const std::string& body) {
  return "WINE REGISTRY Version 2\n\n" + body;
}

// A link key's lines: its target is \Registry\Machine\`target`.
std::string Link(const std::string& name, const std::string& target) {
  std::string hex;
  for (char c : "\\Registry\\Machine" + (target.empty() ? "" : "\\" + target)) {
    hex += (hex.empty() ? "" : ",") + std::string{"0123456789abcdef"[(c >> 4) & 0xF]} +
           "0123456789abcdef"[c & 0xF] + ",00";
  }
  return "[" + name + "]\n#link\n\"SymbolicLinkValue\"=hex(6):" + hex + "\n\n";
}

const std::string kOld = Reg("[A]\n\"v\"=\"old\"\n\n[B]\n\"v\"=\"b\"\n");
// The same size and layout, with another value.
const std::string kSameSize = Reg("[A]\n\"v\"=\"new\"\n\n[B]\n\"v\"=\"b\"\n");
// The keys' values swapped and another key added.
const std::string kRewritten = Reg("[B]\n\"v\"=\"old\"\n\n[A]\n\"v\"=\"b\"\n\n[N]\n");

// However system.reg changes while a key is open, the key answers from the
// file it was opened in; a new open reads the new file.
TEST(WinePrefixChangesTest, AnOpenKeyKeepsItsFileWhateverHappensToIt) {
  using Change = std::function<void(const Prefix&)>;
  for (const auto& [name, change, reopened] :
       {std::tuple<std::string, Change, std::string>{
            "truncated", [](const Prefix& p) { fs::resize_file(p.system_reg(), 0); }, "open 2"},
        {"rewritten in place, same size",
         [](const Prefix& p) {
           std::fstream file(p.system_reg(), std::ios::binary | std::ios::in | std::ios::out);
           file << kSameSize;
         },
         "new"},
        {"rewritten in place with other keys",
         [](const Prefix& p) { Prefix::Write(p.system_reg(), kRewritten); }, "b"},
        {"replaced by rename",
         [](const Prefix& p) {
           Prefix::Write(p.dir / "new.reg", kRewritten);
           fs::rename(p.dir / "new.reg", p.system_reg());
         },
         "b"},
        {"removed", [](const Prefix& p) { fs::remove(p.system_reg()); }, "open 2"}}) {
    const Prefix prefix(kOld);
    WinePrefixRegistry registry(prefix.dir);
    KeyHandle key{};
    ASSERT_EQ(registry.RegOpenKeyExA(reg::kLocalMachine, "A", 0, 1, &key), 0) << name;
    std::uint32_t size = 0;
    ASSERT_EQ(registry.RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size), 0) << name;
    change(prefix);
    EXPECT_EQ(Read(registry, key, "v"), "old") << name;
    EXPECT_EQ(OpenAndRead(registry, "A", "v"), reopened) << name;
    EXPECT_EQ(registry.RegCloseKey(key), 0) << name;
  }
}

// F0 leads to \Registry\Machine itself, and each F<n> leads there through
// three F<n-1> in a row: opening F<n> follows 1 + 3 * (links of F<n-1>).
std::string FannedOutLinks(int levels) {
  std::string body = Link("F0", "");
  for (int n = 1; n <= levels; ++n) {
    const std::string below = "F" + std::to_string(n - 1);
    body += Link("F" + std::to_string(n), below + "\\" + below + "\\" + below);
  }
  return Reg(body + "[S]\n\"v\"=\"s\"\n");
}

// Links that fan out cost one scan each up to the open's budget, and an open
// that needs more finds nothing, however many the nesting would allow.
TEST(WinePrefixChangesTest, LinksThatFanOutStopAtTheBudget) {
  static_assert(pellam::wine::kMaxLinksPerOpen == 32, "the rows below count links against it");
  const Prefix prefix(FannedOutLinks(15));
  for (const auto& [path, links, expected] : {std::tuple{"F1\\S", 4, "s"},
                                              {"F2\\S", 13, "s"},  // within the budget
                                              {"F3\\S", 40, "open 2"},
                                              {"F15\\S", 21523360, "open 2"}}) {
    WinePrefixRegistry registry(prefix.dir);
    EXPECT_EQ(OpenAndRead(registry, path, "v"), expected) << path << ", " << links << " links";
    // A link costs at most two scans: of its target, and of the path below it.
    EXPECT_LE(registry.key_scans(), 2 * std::size_t{pellam::wine::kMaxLinksPerOpen} + 1) << path;
    EXPECT_EQ(registry.file_reads(), 1u) << path << ": every link reads the same copy";
  }
}

// While system.reg is replaced again and again by two versions in which a link
// leads to different keys, every read through the link gives one version's
// value, never the old link's target as the new file has it.
TEST(WinePrefixChangesTest, ALinkFollowedWhileTheFileIsReplacedAnswersFromOneVersion) {
  const std::string first = Reg(Link("L", "T") + "[T]\n\"v\"=\"first\"\n\n[U]\n\"v\"=\"mixed\"\n");
  const std::string second =
      Reg(Link("L", "U") + "[T]\n\"v\"=\"mixed\"\n\n[U]\n\"v\"=\"second\"\n");
  const Prefix prefix(first);
  Prefix::Write(prefix.dir / "first", first);
  Prefix::Write(prefix.dir / "second", second);
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int i = 0; !done; ++i) {
      const fs::path next = prefix.dir / "next";
      fs::copy_file(prefix.dir / (i % 2 == 0 ? "second" : "first"), next,
                    fs::copy_options::overwrite_existing);
      fs::rename(next, prefix.system_reg());
    }
  });
  WinePrefixRegistry registry(prefix.dir);
  std::set<std::string> answers;
  for (int i = 0; i < 400; ++i) {
    answers.insert(OpenAndRead(registry, "L", "v"));
  }
  done = true;
  writer.join();
  answers.erase("first");
  answers.erase("second");
  answers.erase("open 2");  // a file that kept changing while it was read
  EXPECT_TRUE(answers.empty()) << *answers.begin();
}

}  // namespace
