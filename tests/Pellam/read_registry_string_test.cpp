#include "Pellam/read_registry_string.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "Pellam/registry_constants.hpp"
#include "runtime/core/ansi_codec.hpp"
#include "tests/support/recording_registry.hpp"
#include "tests/support/row_name.hpp"

namespace {

using testsupport::RecordingRegistry;

class RecordingSink : public pellam::MessageSink {
 public:
  std::vector<std::u16string> shown;
  bool throw_on_show = false;

  void Show(std::u16string_view text) override {
    shown.emplace_back(text);
    if (throw_on_show) {
      throw std::runtime_error("injected");
    }
  }
};

std::u16string Read(RecordingRegistry& registry, RecordingSink& sink) {
  return pellam::ReadRegistryString(registry, sink, pellam::reg::kLocalMachine, u"Software\\A",
                                    u"v");
}

TEST(ReadRegistryStringTest, MakesTheFourCallsInOrderWithTheirArguments) {
  RecordingRegistry registry;
  RecordingSink sink;
  EXPECT_EQ(pellam::ReadRegistryString(registry, sink, pellam::reg::kCurrentUser,
                                       u"Software\\Caf\u00e9", u"N\u00e4me"),
            u"abc");
  const std::string hkcu = testsupport::LoggedHandle(pellam::reg::kCurrentUser);
  EXPECT_EQ(registry.log, (std::vector<std::string>{
                              "open " + hkcu + " 'Software\\Caf\xc3\xa9' 0 1",
                              "size 68 'N\xc3\xa4me' 0",
                              "data 68 'N\xc3\xa4me' 4",
                              "close 68",
                          }));
  EXPECT_TRUE(sink.shown.empty());
}

TEST(ReadRegistryStringTest, PredefinedRootsAreSignExtendedLikeWindowsHandles) {
  EXPECT_EQ(static_cast<std::uintptr_t>(pellam::reg::kLocalMachine),
            static_cast<std::uintptr_t>(static_cast<std::intptr_t>(INT32_MIN) + 2));
  EXPECT_EQ(static_cast<std::uint32_t>(static_cast<std::uintptr_t>(pellam::reg::kCurrentConfig)),
            0x80000005u);
}

TEST(ReadRegistryStringTest, EmptyValueNameReadsTheDefaultValue) {
  RecordingRegistry registry;
  RecordingSink sink;
  pellam::ReadRegistryString(registry, sink, pellam::reg::kClassesRoot, u".txt", u"");
  ASSERT_EQ(registry.log.size(), 4u);
  EXPECT_EQ(registry.log[1], "size 68 '' 0");
}

struct FailureRow {
  const char* name;
  RecordingRegistry::Call failing;
  std::vector<std::u16string> messages;
  std::u16string result;
  int closes;
};

class ReadRegistryStringFailureTest : public testing::TestWithParam<FailureRow> {};

TEST_P(ReadRegistryStringFailureTest, ReportsEachFailingCallAndClosesWhatItOpened) {
  RecordingRegistry registry;
  registry.failing = GetParam().failing;
  RecordingSink sink;
  EXPECT_EQ(Read(registry, sink), GetParam().result);
  EXPECT_EQ(sink.shown, GetParam().messages);
  EXPECT_EQ(registry.closes, GetParam().closes);
  EXPECT_EQ(registry.opens, registry.closes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadRegistryStringFailureTest,
    testing::Values(FailureRow{"NothingFails", RecordingRegistry::Call::kNone, {}, u"abc", 1},
                    FailureRow{"OpenFailsAndNothingIsClosed",
                               RecordingRegistry::Call::kOpen,
                               {u"Error opening key."},
                               u"",
                               0},
                    // The size stays 0, so the data query gets an empty buffer and fails too:
                    // a missing value shows both messages.
                    FailureRow{"MissingValueShowsTwoMessages",
                               RecordingRegistry::Call::kSizeQuery,
                               {u"Error getting subkey length.", u"Error getting subkey value."},
                               u"",
                               1},
                    FailureRow{"DataQueryFails",
                               RecordingRegistry::Call::kDataQuery,
                               {u"Error getting subkey value."},
                               u"",
                               1},
                    FailureRow{"CloseFailsAndTheTextIsStillReturned",
                               RecordingRegistry::Call::kClose,
                               {u"Error closing key."},
                               u"abc",
                               1}),
    testsupport::RowName());

TEST(ReadRegistryStringTest, SizeQueryFailingWhileTheDataQuerySucceedsStillReads) {
  RecordingRegistry registry;
  registry.data.clear();
  registry.failing = RecordingRegistry::Call::kSizeQuery;
  RecordingSink sink;
  EXPECT_EQ(Read(registry, sink), u"");
  EXPECT_EQ(sink.shown, std::vector<std::u16string>{u"Error getting subkey length."});
  EXPECT_EQ(registry.closes, 1);
}

TEST(ReadRegistryStringTest, NoDataGivesEmptyTextAndClosesTheKey) {
  RecordingRegistry registry;
  registry.data.clear();
  RecordingSink sink;
  EXPECT_EQ(Read(registry, sink), u"");
  EXPECT_TRUE(sink.shown.empty());
  EXPECT_EQ(registry.log.back(), "close 68");
}

TEST(ReadRegistryStringTest, ResultFollowsTheValueType) {
  RecordingRegistry registry;
  registry.type = pellam::reg::kTypeDword;
  registry.data = std::string("\x2a\0\0\0", 4);
  RecordingSink sink;
  EXPECT_EQ(Read(registry, sink), u"0x0000002a (42)");
}

struct ThrowRow {
  const char* name;
  RecordingRegistry::Call throwing;
  RecordingRegistry::Call failing;
  bool sink_throws;
};

class ReadRegistryStringThrowTest : public testing::TestWithParam<ThrowRow> {};

TEST_P(ReadRegistryStringThrowTest, ClosesTheKeyWhenAnExceptionLeavesBetweenOpenAndClose) {
  RecordingRegistry registry;
  registry.throwing = GetParam().throwing;
  registry.failing = GetParam().failing;
  RecordingSink sink;
  sink.throw_on_show = GetParam().sink_throws;
  EXPECT_THROW(Read(registry, sink), std::runtime_error);
  EXPECT_EQ(registry.opens, 1);
  EXPECT_EQ(registry.closes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadRegistryStringThrowTest,
    testing::Values(ThrowRow{"InTheSizeQuery", RecordingRegistry::Call::kSizeQuery,
                             RecordingRegistry::Call::kNone, false},
                    ThrowRow{"InTheDataQuery", RecordingRegistry::Call::kDataQuery,
                             RecordingRegistry::Call::kNone, false},
                    ThrowRow{"InTheMessageBoxAfterAFailedQuery", RecordingRegistry::Call::kNone,
                             RecordingRegistry::Call::kSizeQuery, true},
                    // The close itself throws: the key is not closed a second time.
                    ThrowRow{"InTheClose", RecordingRegistry::Call::kClose,
                             RecordingRegistry::Call::kNone, false}),
    testsupport::RowName());

}  // namespace
