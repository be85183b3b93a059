// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/registry_text.hpp"

#include <gtest/gtest.h>

#include <string_view>

#include "registry/registry_constants.hpp"

namespace {

using namespace std::string_view_literals;
namespace reg = pellam::reg;

struct Row {
  const char* name;
  std::uint32_t type;
  std::string_view bytes;
  std::u16string_view text;
};

TEST(RegistryDataTextTest, ShowsTheDataAsItsTypeSays) {
  for (const Row& row : {
           Row{"StringWithoutTerminatorKeepsItsLastCharacter", reg::kTypeSz, "abc"sv, u"abc"},
           Row{"StringStopsAtFirstNulAndIsUtf8", reg::kTypeSz, "caf\xc3\xa9\0cd\0"sv, u"caf\u00e9"},
           Row{"ExpandableShownAsStored", reg::kTypeExpandSz, "%WINDIR%\0"sv, u"%WINDIR%"},
           Row{"MultiJoinedBySpacesUpToAnEmptyOne", reg::kTypeMultiSz, "\xc3\xa9\0bc\0\0d\0"sv,
               u"\u00e9 bc"},
           Row{"MultiWithoutTerminators", reg::kTypeMultiSz, "a\0b"sv, u"a b"},
           Row{"DwordUnsigned", reg::kTypeDword, "\xfe\xff\xff\xff"sv, u"0xfffffffe (4294967294)"},
           Row{"DwordBigEndianSwapped", reg::kTypeDwordBigEndian, "\0\0\x01\x02"sv,
               u"0x00000102 (258)"},
           Row{"Qword", reg::kTypeQword, "\x2a\0\0\0\0\0\0\x80"sv,
               u"0x800000000000002a (9223372036854775850)"},
           Row{"DwordOfWrongSizeAsBytes", reg::kTypeDword, "\x01\x02\x03"sv, u"01 02 03"},
           Row{"QwordOfWrongSizeAsBytes", reg::kTypeQword, "\x01\x02\x03\x04"sv, u"01 02 03 04"},
           Row{"BinaryAndAnyOtherTypeAsBytes", 0x12345, "\x00\xff"sv, u"00 ff"},
       }) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(row.bytes.data());
    EXPECT_EQ(pellam::RegistryDataText(row.type, std::span(bytes, row.bytes.size())), row.text)
        << row.name;
  }
}

}  // namespace
