// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// The key scan's fast path against the exact line-by-line decoder on the
// fuzzer's seeds and the sample prefix's files, so that every test run holds
// the two to the same facts where the fuzzer starts from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/scan_paths.hpp"

namespace {

namespace fs = std::filesystem;

TEST(KeyScanAgreementTest, FastPathAgreesWithTheExactDecoderOnEverySeed) {
  std::size_t files = 0;
  for (const char* dir : {PELLAM_FUZZ_CORPUS, PELLAM_TEST_DATA "/prefix"}) {
    for (const auto& entry : fs::directory_iterator(dir)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      for (const auto& path : pellam::wine::ScanPathsToTry(text, text.size())) {
        EXPECT_EQ(pellam::wine::ScanKeys(text, path), pellam::wine::ScanKeysLineByLine(text, path))
            << entry.path().filename() << ", path " << testing::PrintToString(path);
      }
      ++files;
    }
  }
  EXPECT_GT(files, 20u) << "the seeds are missing";
}

}  // namespace
