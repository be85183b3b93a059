#include "Pellam/wine/byte_blocks.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/row_name.hpp"

namespace {

using namespace std::string_literals;
using pellam::wine::kBlockSize;

struct Row {
  std::string name;
  std::string bytes;  // padded to four blocks
  std::string lower;  // compared with the first block
  std::uint32_t mismatches;
  std::uint64_t stops;
};

std::string Padded(std::string text, char fill) {
  text.resize(4 * kBlockSize, fill);
  return text;
}

class ByteBlocksTest : public testing::TestWithParam<Row> {};

TEST_P(ByteBlocksTest, MasksMarkTheBytesAsByteByByte) {
  const Row& row = GetParam();
  const std::string bytes = Padded(row.bytes, 'a');
  const std::string lower = Padded(row.lower, 'a');
  EXPECT_EQ(pellam::wine::FoldedMismatches(bytes.data(), lower.data()), row.mismatches);
  EXPECT_EQ(pellam::wine::portable::FoldedMismatches(bytes.data(), lower.data()), row.mismatches);
  EXPECT_EQ(pellam::wine::ClosesOrBreaks<4>(bytes.data()), row.stops);
  EXPECT_EQ(pellam::wine::portable::ClosesOrBreaks<4>(bytes.data()), row.stops);
  EXPECT_EQ(pellam::wine::ClosesOrBreaks<1>(bytes.data()), row.stops & 0xFFFF);
  EXPECT_EQ(pellam::wine::portable::ClosesOrBreaks<1>(bytes.data()), row.stops & 0xFFFF);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ByteBlocksTest,
    testing::Values(
        Row{"SameText", "software\\\\classes", "software\\\\classes", 0, 0},
        Row{"CapitalsFold", "SOFTWARE\\\\ClAsSeS", "software\\\\classes", 0, 0},
        Row{"OnlyAsciiCapitalsFold", "\xc9@[`{Z", "\xe9`{@[z", 0x1F, 0x1},
        Row{"FirstAndLastByteDiffer", "xoftware\\\\classeX", "software\\\\classes", 0x0001, 0},
        Row{"BracketAndLineEnd", "ab]cd\nef", "abxcd\nef", 0x0004, 0x24},
        Row{"ControlsUpToNewline", "a\0b\tc\vd\re\0"s, "", 0x03FE, 0x020A},
        Row{"BeyondAscii", "caf\xc3\xa9", "caf\xc3\xa9", 0, 0x18},
        Row{"StopInTheLastBlock", std::string(63, 'a') + "]", "", 0, std::uint64_t{1} << 63},
        Row{"StopInEveryBlock",
            std::string(5, 'a') + "]" + std::string(15, 'a') + "\n" + std::string(15, 'a') +
                "\x80" + std::string(15, 'a') + "\0"s,
            "aaaaa", 0x0020,
            (std::uint64_t{1} << 5) | (std::uint64_t{1} << 21) | (std::uint64_t{1} << 37) |
                (std::uint64_t{1} << 53)}),
    testsupport::RowName());

}  // namespace
