// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/core/ansi_codec.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using Rows = std::tuple<const char*, std::u16string_view, std::string_view>[];

// On Linux the code page is UTF-8; Windows builds run with a UTF-8 manifest.
TEST(AnsiCodecTest, RoundTrips) {
  for (const auto& [name, text, bytes] :
       Rows{{"Empty", u"", ""},
            {"Ascii", u"SOFTWARE\\Oxbury Options", "SOFTWARE\\Oxbury Options"},
            {"Latin1", u"caf\u00e9", "caf\xc3\xa9"},
            {"SurrogatePair", u"\U0001F600", "\xf0\x9f\x98\x80"},
            {"EmbeddedNul", std::u16string_view(u"a\0b", 3), std::string_view("a\0b", 3)}}) {
    EXPECT_EQ(rt::ToAnsi(text), bytes) << name;
    EXPECT_EQ(rt::FromAnsi(bytes), text) << name;
  }
}

#ifndef _WIN32
// An unpaired surrogate on the way out is held by the Wine-prefix backend's tests.
TEST(AnsiCodecTest, ReplacesWhatCannotBeConverted) {
  for (const auto& [name, text, bytes] : Rows{{"LoneContinuation", u"a\ufffdz", "a\x80z"},
                                              {"TruncatedAtEnd", u"a\ufffd", "a\xe2\x82"},
                                              {"CutShort", u"\ufffdz", "\xe2\x82z"},
                                              {"Overlong", u"\ufffd\ufffd", "\xc0\xaf"},
                                              {"OverlongOfThree", u"\ufffd", "\xe0\x80\xaf"},
                                              {"EncodedSurrogate", u"\ufffd", "\xed\xa0\x80"},
                                              {"BeyondUnicode", u"\ufffd", "\xf4\x90\x80\x80"}}) {
    EXPECT_EQ(rt::FromAnsi(bytes), text) << name;
  }
}
#endif

}  // namespace
