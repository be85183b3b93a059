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
        Row{"StringWithTerminator", pellam::REG_SZ, "abc\0"sv, u"abc"},
        // Keeps the last character that a terminator-less string would lose.
        Row{"StringWithoutTerminator", pellam::REG_SZ, "abc"sv, u"abc"},
        Row{"StringStopsAtFirstNul", pellam::REG_SZ, "ab\0cd\0"sv, u"ab"},
        Row{"StringEmpty", pellam::REG_SZ, "\0"sv, u""},
        Row{"NoDataAtAll", pellam::REG_SZ, ""sv, u""},
        Row{"StringInUtf8", pellam::REG_SZ, "caf\xc3\xa9\0"sv, u"caf\u00e9"},
        Row{"ExpandableStringShownAsStored", pellam::REG_EXPAND_SZ, "%WINDIR%\\x\0"sv,
            u"%WINDIR%\\x"},
        Row{"MultiStringJoinedBySpaces", pellam::REG_MULTI_SZ, "a\0bc\0d\0\0"sv, u"a bc d"},
        Row{"MultiStringWithoutTerminators", pellam::REG_MULTI_SZ, "a\0b"sv, u"a b"},
        Row{"MultiStringEndsAtEmptyString", pellam::REG_MULTI_SZ, "a\0\0b\0\0"sv, u"a"},
        Row{"MultiStringEmpty", pellam::REG_MULTI_SZ, "\0"sv, u""},
        Row{"Dword", pellam::REG_DWORD, "\x2a\0\0\0"sv, u"0x0000002a (42)"},
        Row{"DwordDecimalIsUnsigned", pellam::REG_DWORD, "\xff\xff\xff\xff"sv,
            u"0xffffffff (4294967295)"},
        Row{"DwordBigEndianIsSwapped", pellam::REG_DWORD_BIG_ENDIAN, "\0\0\x01\x02"sv,
            u"0x00000102 (258)"},
        Row{"Qword", pellam::REG_QWORD, "\x2a\0\0\0\0\0\0\0"sv, u"0x000000000000002a (42)"},
        Row{"QwordLargest", pellam::REG_QWORD, "\xff\xff\xff\xff\xff\xff\xff\xff"sv,
            u"0xffffffffffffffff (18446744073709551615)"},
        Row{"DwordOfWrongSizeAsBytes", pellam::REG_DWORD, "\x01\x02\x03"sv, u"01 02 03"},
        Row{"QwordOfWrongSizeAsBytes", pellam::REG_QWORD, "\x01\x02\x03\x04"sv, u"01 02 03 04"},
        Row{"DwordWithoutDataIsEmpty", pellam::REG_DWORD, ""sv, u""},
        Row{"Binary", pellam::REG_BINARY, "\x01\x02\x0a\xff"sv, u"01 02 0a ff"},
        Row{"BinaryEmpty", pellam::REG_BINARY, ""sv, u""},
        Row{"NoneAsBytes", pellam::REG_NONE, "\x00\x10"sv, u"00 10"},
        Row{"LinkAsBytes", pellam::REG_LINK, "\\\0"sv, u"5c 00"},
        Row{"UnknownTypeAsBytes", 0x12345, "ab"sv, u"61 62"}),
    testsupport::RowName());

}  // namespace
