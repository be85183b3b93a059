#include "runtime/core/ansi_codec.hpp"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Row {
  const char* name;
  std::u16string_view text;
  std::string_view bytes;
};

// On Linux the code page is UTF-8; Windows builds run with a UTF-8 manifest.
TEST(AnsiCodecTest, RoundTrips) {
  for (const Row& row :
       {Row{"Empty", u"", ""},
        Row{"Ascii", u"SOFTWARE\\Oxbury Options", "SOFTWARE\\Oxbury Options"},
        Row{"Latin1", u"caf\u00e9", "caf\xc3\xa9"},
        Row{"SurrogatePair", u"\U0001F600", "\xf0\x9f\x98\x80"},
        Row{"EmbeddedNul", std::u16string_view(u"a\0b", 3), std::string_view("a\0b", 3)}}) {
    EXPECT_EQ(rt::ToAnsi(row.text), row.bytes) << row.name;
    EXPECT_EQ(rt::FromAnsi(row.bytes), row.text) << row.name;
  }
}

#ifndef _WIN32
// An unpaired surrogate on the way out is held by the Wine-prefix backend's tests.
TEST(AnsiCodecTest, ReplacesWhatCannotBeConverted) {
  for (const Row& row : {Row{"LoneContinuation", u"a\ufffdz", "a\x80z"},
                         Row{"TruncatedAtEnd", u"a\ufffd", "a\xe2\x82"},
                         Row{"Overlong", u"\ufffd\ufffd", "\xc0\xaf"},
                         Row{"OverlongOfThree", u"\ufffd", "\xe0\x80\xaf"},
                         Row{"EncodedSurrogate", u"\ufffd", "\xed\xa0\x80"},
                         Row{"BeyondUnicode", u"\ufffd", "\xf4\x90\x80\x80"}}) {
    EXPECT_EQ(rt::FromAnsi(row.bytes), row.text) << row.name;
  }
}
#endif

}  // namespace
