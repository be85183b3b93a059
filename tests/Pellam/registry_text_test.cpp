#include "Pellam/registry_text.hpp"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "Pellam/registry_constants.hpp"
#include "tests/support/row_name.hpp"

namespace {

struct Row {
  const char* name;
  std::uint32_t type;
  std::string_view bytes;
  std::u16string_view text;
};

class RegistryDataTextTest : public testing::TestWithParam<Row> {};

TEST_P(RegistryDataTextTest, ShowsTheDataAsItsTypeSays) {
  const std::string_view bytes = GetParam().bytes;
  EXPECT_EQ(pellam::RegistryDataText(
                GetParam().type,
                std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())),
            GetParam().text);
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Rows, RegistryDataTextTest,
    testing::Values(
        Row{"StringWithTerminator", pellam::reg::kTypeSz, "abc\0"sv, u"abc"},
        // Keeps the last character that a terminator-less string would lose.
        Row{"StringWithoutTerminator", pellam::reg::kTypeSz, "abc"sv, u"abc"},
        Row{"StringStopsAtFirstNul", pellam::reg::kTypeSz, "ab\0cd\0"sv, u"ab"},
        Row{"StringEmpty", pellam::reg::kTypeSz, "\0"sv, u""},
        Row{"NoDataAtAll", pellam::reg::kTypeSz, ""sv, u""},
        Row{"StringInUtf8", pellam::reg::kTypeSz, "caf\xc3\xa9\0"sv, u"caf\u00e9"},
        Row{"ExpandableStringShownAsStored", pellam::reg::kTypeExpandSz, "%WINDIR%\\x\0"sv,
            u"%WINDIR%\\x"},
        Row{"MultiStringJoinedBySpaces", pellam::reg::kTypeMultiSz, "a\0bc\0d\0\0"sv, u"a bc d"},
        Row{"MultiStringWithoutTerminators", pellam::reg::kTypeMultiSz, "a\0b"sv, u"a b"},
        Row{"MultiStringEndsAtEmptyString", pellam::reg::kTypeMultiSz, "a\0\0b\0\0"sv, u"a"},
        Row{"MultiStringEmpty", pellam::reg::kTypeMultiSz, "\0"sv, u""},
        Row{"Dword", pellam::reg::kTypeDword, "\x2a\0\0\0"sv, u"0x0000002a (42)"},
        Row{"DwordDecimalIsUnsigned", pellam::reg::kTypeDword, "\xff\xff\xff\xff"sv,
            u"0xffffffff (4294967295)"},
        Row{"DwordBigEndianIsSwapped", pellam::reg::kTypeDwordBigEndian, "\0\0\x01\x02"sv,
            u"0x00000102 (258)"},
        Row{"Qword", pellam::reg::kTypeQword, "\x2a\0\0\0\0\0\0\0"sv, u"0x000000000000002a (42)"},
        Row{"QwordLargest", pellam::reg::kTypeQword, "\xff\xff\xff\xff\xff\xff\xff\xff"sv,
            u"0xffffffffffffffff (18446744073709551615)"},
        Row{"DwordOfWrongSizeAsBytes", pellam::reg::kTypeDword, "\x01\x02\x03"sv, u"01 02 03"},
        Row{"QwordOfWrongSizeAsBytes", pellam::reg::kTypeQword, "\x01\x02\x03\x04"sv,
            u"01 02 03 04"},
        Row{"DwordWithoutDataIsEmpty", pellam::reg::kTypeDword, ""sv, u""},
        Row{"Binary", pellam::reg::kTypeBinary, "\x01\x02\x0a\xff"sv, u"01 02 0a ff"},
        Row{"BinaryEmpty", pellam::reg::kTypeBinary, ""sv, u""},
        Row{"NoneAsBytes", pellam::reg::kTypeNone, "\x00\x10"sv, u"00 10"},
        Row{"LinkAsBytes", pellam::reg::kTypeLink, "\\\0"sv, u"5c 00"},
        Row{"UnknownTypeAsBytes", 0x12345, "ab"sv, u"61 62"}),
    testsupport::RowName());

}  // namespace
