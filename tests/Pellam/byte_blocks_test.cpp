#include "Pellam/wine/byte_blocks.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace blocks = pellam::wine;

// Each byte value at each place of four blocks: the vector forms mark the
// bytes exactly as the byte-by-byte forms do.
TEST(ByteBlocksTest, VectorFormsAgreeWithByteByByteForEveryByte) {
  const std::string lower = "software\\\\classes" + std::string(48, 'a');
  for (std::size_t at = 0; at < lower.size(); ++at) {
    for (int byte = 0; byte < 256; ++byte) {
      std::string bytes = lower;
      bytes[at] = static_cast<char>(byte);
      ASSERT_EQ(blocks::FoldedMismatches(bytes.data(), lower.data()),
                blocks::portable::FoldedMismatches(bytes.data(), lower.data()))
          << at << " " << byte;
      ASSERT_EQ(blocks::ClosesOrBreaks<4>(bytes.data()),
                blocks::portable::ClosesOrBreaks<4>(bytes.data()))
          << at << " " << byte;
    }
  }
  EXPECT_EQ(blocks::portable::FoldedMismatches("SOFTWARE\\\\ClassX", lower.data()), 1U << 15);
  EXPECT_EQ(blocks::portable::ClosesOrBreaks<1>("ab]c\nd\x80\tz\x0b"
                                                "aaaaaa"),
            0xD4U);
}

}  // namespace
