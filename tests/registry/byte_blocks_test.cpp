// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/wine/byte_blocks.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace blocks = pellam::wine;

// Each byte at each place of four blocks, and against each byte of the
// spelling within a block: the vector forms mark the bytes exactly as the
// byte-by-byte forms do (which, where there is no vector form, the scan's
// own tests hold).
TEST(ByteBlocksTest, VectorFormsAgreeWithByteByByteForEveryByte) {
  std::string bytes(4 * blocks::kBlockSize, 'a');
  std::string lower = bytes;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    for (int byte = 0; byte < 256; ++byte) {
      bytes[at] = static_cast<char>(byte);
      ASSERT_EQ(blocks::ClosesOrBreaks<4>(bytes.data()),
                blocks::portable::ClosesOrBreaks<4>(bytes.data()))
          << at << " " << byte;
      for (int spelled = 0; spelled < 256 && at < blocks::kBlockSize; ++spelled) {
        lower[at] = static_cast<char>(spelled);
        ASSERT_EQ(blocks::FoldedMismatches(bytes.data(), lower.data()),
                  blocks::portable::FoldedMismatches(bytes.data(), lower.data()))
            << at << " " << byte << " " << spelled;
      }
      bytes[at] = lower[at] = 'a';
    }
  }
}

}  // namespace
