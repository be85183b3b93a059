#include "runtime/core/ansi_codec.hpp"

#include <gtest/gtest.h>

#include "tests/support/row_name.hpp"

#include <string>

namespace {

struct Row {
  const char* name;
  std::u16string_view text;
  std::string_view bytes;
};

class AnsiCodecTest : public testing::TestWithParam<Row> {};

// On Linux the code page is UTF-8; Windows builds run with a UTF-8 manifest.
TEST_P(AnsiCodecTest, RoundTrips) {
  EXPECT_EQ(rt::ToAnsi(GetParam().text), GetParam().bytes);
  EXPECT_EQ(rt::FromAnsi(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, AnsiCodecTest,
                         testing::Values(Row{"Empty", u"", ""},
                                         Row{"Ascii", u"SOFTWARE\\Oxbury Options",
                                             "SOFTWARE\\Oxbury Options"},
                                         Row{"Latin1", u"caf\u00e9", "caf\xc3\xa9"},
                                         Row{"SurrogatePair", u"\U0001F600", "\xf0\x9f\x98\x80"},
                                         Row{"EmbeddedNul", std::u16string_view(u"a\0b", 3),
                                             std::string_view("a\0b", 3)}),
                         testsupport::RowName());

#ifndef _WIN32
struct BadRow {
  const char* name;
  std::string_view bytes;
  std::u16string_view text;
};

class AnsiCodecInvalidTest : public testing::TestWithParam<BadRow> {};

TEST_P(AnsiCodecInvalidTest, ReplacesWhatCannotBeDecoded) {
  EXPECT_EQ(rt::FromAnsi(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Rows, AnsiCodecInvalidTest,
                         testing::Values(BadRow{"LoneContinuation", "a\x80z", u"a\ufffdz"},
                                         BadRow{"TruncatedAtEnd", "a\xe2\x82", u"a\ufffd"},
                                         BadRow{"Overlong", "\xc0\xaf", u"\ufffd\ufffd"},
                                         BadRow{"OverlongOfThree", "\xe0\x80\xaf", u"\ufffd"},
                                         BadRow{"EncodedSurrogate", "\xed\xa0\x80", u"\ufffd"},
                                         BadRow{"BeyondUnicode", "\xf4\x90\x80\x80", u"\ufffd"}),
                         testsupport::RowName());

TEST(AnsiCodecTest, UnpairedSurrogateBecomesReplacement) {
  EXPECT_EQ(rt::ToAnsi(u"\xd800x"), "\xef\xbf\xbdx");
}
#endif

}  // namespace
