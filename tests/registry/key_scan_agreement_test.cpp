// The key scan's fast path against the exact line-by-line decoder, on the
// fuzzer's seeds and the sample prefix's files: for every key that a file's
// key lines name, and for a few paths that no file names, both give the same
// facts. The fuzzer goes on from these seeds; this keeps them in every test run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "registry/wine/lower_case.hpp"
#include "registry/wine/reg_file.hpp"

namespace {

namespace fs = std::filesystem;
using pellam::wine::ScanKeys;
using pellam::wine::ScanKeysLineByLine;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Key paths to look for in `text`: what each key line names between its
// brackets, its doubled separators taken as one and its bytes widened as they
// stand (escapes undecoded, so that some paths are near misses), a key below
// it, its leading parts with a longer last name, and paths no file names.
std::set<std::u16string> PathsToTry(const std::string& text) {
  std::set<std::u16string> paths = {u"", u"software", u"a\\b\\c", u"nowhere\\at\\all"};
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t open = line.find('[');
    const std::size_t close = line.find(']', open);
    if (open == std::string::npos || close == std::string::npos) {
      continue;
    }
    std::u16string path;
    for (std::size_t i = open + 1; i < close; ++i) {
      if (line[i] == '\\' && i + 1 < close && line[i + 1] == '\\') {
        ++i;
      }
      path.push_back(static_cast<unsigned char>(line[i]));
    }
    paths.insert(path);
    paths.insert(path + u"\\below");
    // Each leading part of the path with its last name made longer: the
    // path's names then run on where the line's have ended.
    for (std::size_t end = path.find(u'\\'); end != std::u16string::npos;
         end = path.find(u'\\', end + 1)) {
      paths.insert(path.substr(0, end) + u"x");
    }
    paths.insert(path + u"x");
  }
  return paths;
}

TEST(KeyScanAgreementTest, FastPathAgreesWithTheExactDecoderOnEverySeed) {
  std::vector<fs::path> files;
  for (const char* dir : {PELLAM_FUZZ_CORPUS, PELLAM_TEST_DATA "/prefix"}) {
    for (const auto& entry : fs::directory_iterator(dir)) {
      files.push_back(entry.path());
    }
  }
  ASSERT_GT(files.size(), 20u) << "the seeds are missing";
  for (const fs::path& file : files) {
    const std::string text = Contents(file);
    std::size_t paths = 0;
    for (const std::u16string& path : PathsToTry(text)) {
      const auto split = pellam::wine::SplitKeyPath(path);
      if (!split) {
        continue;
      }
      std::vector<std::u16string> lower;
      for (const std::u16string& name : *split) {
        lower.push_back(pellam::wine::ToLowerCase(name));
      }
      EXPECT_EQ(ScanKeys(text, lower), ScanKeysLineByLine(text, lower))
          << file.filename() << ", path " << std::string(path.begin(), path.end());
      ++paths;
    }
    EXPECT_GT(paths, 4u) << file.filename();
  }
}

}  // namespace
