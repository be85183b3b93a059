// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "registry/read_registry_string.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "registry/registry_constants.hpp"
#include "tests/support/recording_registry.hpp"

namespace {

using testsupport::RecordingRegistry;
using Call = RecordingRegistry::Call;
using namespace std::string_literals;

// Records the messages shown, each ended by '|'; throws after one when asked.
struct RecordingSink : pellam::MessageSink {
  std::u16string shown;
  bool throw_on_show = false;
  void Show(std::u16string_view text) override {
    (shown += text) += u'|';
    if (throw_on_show) {
      throw std::runtime_error("injected");
    }
  }
};

std::u16string Read(RecordingRegistry& registry, RecordingSink& sink) {
  return pellam::ReadRegistryString(registry, sink, pellam::reg::kCurrentUser,
                                    u"Software\\Caf\u00e9", u"N\u00e4me");
}

struct Row {
  const char* name;
  Call failing;
  std::uint32_t type;
  std::string data;
  std::u16string messages;
  std::u16string result;  // "!": an exception leaves, after the message box throws
  Call throwing = Call::kNone;
};

// The calls' order and arguments are held by the form's handler tests; here
// the key path and value name reach the registry in the ANSI code page. An
// exception between open and close closes the key once: from a call, or from
// the message box after a failed query.
TEST(ReadRegistryStringTest, ReportsEachFailingCallAndClosesWhatItOpened) {
  constexpr std::uint32_t kSz = pellam::reg::kTypeSz;
  const std::string root = testsupport::LoggedHandle(pellam::reg::kCurrentUser);
  std::string long_text(10001, 'a');  // longer than the blocks it is widened in
  for (std::size_t i = 0; i < long_text.size(); ++i) {
    long_text[i] = static_cast<char>('a' + i % 26);
  }
  for (const Row& row : {
           Row{"LongString", Call::kNone, kSz, long_text + '\0', u"",
               std::u16string(long_text.begin(), long_text.end())},
           Row{"ShownAsItsTypeSays", Call::kNone, pellam::reg::kTypeDword, "\x2a\0\0\0"s, u"",
               u"0x0000002a (42)"},
           Row{"NoData", Call::kNone, kSz, "", u"", u""},
           Row{"OpenFailsAndNothingIsClosed", Call::kOpen, kSz, "a", u"Error opening key.|", u""},
           // The size stays 0, so the data query gets an empty buffer and fails too.
           Row{"MissingValue", Call::kSizeQuery, kSz, "a",
               u"Error getting subkey length.|Error getting subkey value.|", u""},
           Row{"SizeQueryFailsDataQueryDoesNot", Call::kSizeQuery, kSz, "",
               u"Error getting subkey length.|", u""},
           Row{"DataQueryFails", Call::kDataQuery, kSz, "a", u"Error getting subkey value.|", u""},
           Row{"CloseFailsTextStillReturned", Call::kClose, kSz, "abc\0"s, u"Error closing key.|",
               u"abc"},
           Row{"SizeQueryThrows", Call::kNone, kSz, "a", u"", u"!", Call::kSizeQuery},
           Row{"DataQueryThrows", Call::kNone, kSz, "a", u"", u"!", Call::kDataQuery},
           Row{"CloseThrows", Call::kNone, kSz, "a", u"", u"!", Call::kClose},
           Row{"MessageBoxThrows", Call::kSizeQuery, kSz, "a", u"Error getting subkey length.|",
               u"!"},
       }) {
    RecordingRegistry registry;
    registry.failing = row.failing;
    registry.throwing = row.throwing;
    registry.type = row.type;
    registry.data = row.data;
    RecordingSink sink;
    sink.throw_on_show = row.result == u"!";
    std::u16string result;
    try {
      result = Read(registry, sink);
    } catch (const std::runtime_error&) {
      result = u"!";
    }
    EXPECT_EQ(result, row.result) << row.name;
    EXPECT_EQ(sink.shown, row.messages) << row.name;
    EXPECT_EQ(std::ranges::count(registry.log, registry.log[0]), 1) << row.name;
    EXPECT_EQ(registry.log[0], "open " + root + " 'Software\\Caf\xc3\xa9' 0 1") << row.name;
    EXPECT_EQ(std::ranges::count(registry.log, "close 68"), row.failing == Call::kOpen ? 0 : 1)
        << row.name;
    EXPECT_EQ(registry.log.size() > 1 ? registry.log[1] : "",
              row.failing == Call::kOpen ? "" : "size 68 'N\xc3\xa4me' 0")
        << row.name;
  }
}

}  // namespace
