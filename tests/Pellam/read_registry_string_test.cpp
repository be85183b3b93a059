#include "Pellam/read_registry_string.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "Pellam/registry_constants.hpp"
#include "runtime/core/ansi_codec.hpp"
#include "tests/support/row_name.hpp"

namespace {

using pellam::KeyHandle;

constexpr KeyHandle kOpened = static_cast<KeyHandle>(0x44);

// A registry that holds one value, records every call with its arguments and
// can fail or throw at any call.
class FakeRegistry : public pellam::RegistryAccess {
 public:
  enum class Call { kNone, kOpen, kSizeQuery, kDataQuery, kClose };

  std::string data = std::string("abc\0", 4);
  std::uint32_t type = pellam::REG_SZ;
  Call failing = Call::kNone;
  Call throwing = Call::kNone;
  std::vector<std::string> log;
  int opens = 0;
  int closes = 0;

  std::int32_t RegOpenKeyExA(KeyHandle key, const char* sub_key, std::uint32_t options,
                             std::uint32_t desired_access, KeyHandle* result) override {
    log.push_back("open " + std::to_string(static_cast<std::uintptr_t>(key)) + " '" + sub_key +
                  "' " + std::to_string(options) + " " + std::to_string(desired_access));
    Act(Call::kOpen);
    if (failing == Call::kOpen) {
      return pellam::ERROR_FILE_NOT_FOUND;
    }
    ++opens;
    *result = kOpened;
    return pellam::ERROR_SUCCESS;
  }

  std::int32_t RegQueryValueExA(KeyHandle key, const char* value_name, std::uint32_t* reserved,
                                std::uint32_t* value_type, std::uint8_t* buffer,
                                std::uint32_t* size) override {
    const bool size_query = buffer == nullptr;
    log.push_back(std::string(size_query ? "size " : "data ") +
                  std::to_string(static_cast<std::uintptr_t>(key)) + " '" + value_name + "' " +
                  (reserved == nullptr ? "" : "reserved ") + std::to_string(*size));
    Act(size_query ? Call::kSizeQuery : Call::kDataQuery);
    if (failing == (size_query ? Call::kSizeQuery : Call::kDataQuery)) {
      return pellam::ERROR_FILE_NOT_FOUND;  // leaves the size as it was
    }
    const auto needed = static_cast<std::uint32_t>(data.size());
    *value_type = type;
    if (!size_query) {
      if (*size < needed) {
        *size = needed;
        return pellam::ERROR_MORE_DATA;
      }
      std::memcpy(buffer, data.data(), needed);
    }
    *size = needed;
    return pellam::ERROR_SUCCESS;
  }

  std::int32_t RegCloseKey(KeyHandle key) override {
    log.push_back("close " + std::to_string(static_cast<std::uintptr_t>(key)));
    ++closes;
    Act(Call::kClose);
    return failing == Call::kClose ? pellam::ERROR_INVALID_HANDLE : pellam::ERROR_SUCCESS;
  }

 private:
  void Act(Call call) const {
    if (throwing == call) {
      throw std::runtime_error("injected");
    }
  }
};

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

std::u16string Read(FakeRegistry& registry, RecordingSink& sink) {
  return pellam::ReadRegistryString(registry, sink, pellam::HKEY_LOCAL_MACHINE, u"Software\\A",
                                    u"v");
}

TEST(ReadRegistryStringTest, MakesTheFourCallsInOrderWithTheirArguments) {
  FakeRegistry registry;
  RecordingSink sink;
  EXPECT_EQ(pellam::ReadRegistryString(registry, sink, pellam::HKEY_CURRENT_USER,
                                       u"Software\\Caf\u00e9", u"N\u00e4me"),
            u"abc");
  const std::string hkcu = std::to_string(static_cast<std::uintptr_t>(pellam::HKEY_CURRENT_USER));
  EXPECT_EQ(registry.log, (std::vector<std::string>{
                              "open " + hkcu + " 'Software\\Caf\xc3\xa9' 0 1",
                              "size 68 'N\xc3\xa4me' 0",
                              "data 68 'N\xc3\xa4me' 4",
                              "close 68",
                          }));
  EXPECT_TRUE(sink.shown.empty());
}

TEST(ReadRegistryStringTest, PredefinedRootsAreSignExtendedLikeWindowsHandles) {
  EXPECT_EQ(static_cast<std::uintptr_t>(pellam::HKEY_LOCAL_MACHINE),
            static_cast<std::uintptr_t>(static_cast<std::intptr_t>(INT32_MIN) + 2));
  EXPECT_EQ(static_cast<std::uint32_t>(static_cast<std::uintptr_t>(pellam::HKEY_CURRENT_CONFIG)),
            0x80000005u);
}

TEST(ReadRegistryStringTest, EmptyValueNameReadsTheDefaultValue) {
  FakeRegistry registry;
  RecordingSink sink;
  pellam::ReadRegistryString(registry, sink, pellam::HKEY_CLASSES_ROOT, u".txt", u"");
  ASSERT_EQ(registry.log.size(), 4u);
  EXPECT_EQ(registry.log[1], "size 68 '' 0");
}

struct FailureRow {
  const char* name;
  FakeRegistry::Call failing;
  std::vector<std::u16string> messages;
  std::u16string result;
  int closes;
};

class ReadRegistryStringFailureTest : public testing::TestWithParam<FailureRow> {};

TEST_P(ReadRegistryStringFailureTest, ReportsEachFailingCallAndClosesWhatItOpened) {
  FakeRegistry registry;
  registry.failing = GetParam().failing;
  RecordingSink sink;
  EXPECT_EQ(Read(registry, sink), GetParam().result);
  EXPECT_EQ(sink.shown, GetParam().messages);
  EXPECT_EQ(registry.closes, GetParam().closes);
  EXPECT_EQ(registry.opens, registry.closes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReadRegistryStringFailureTest,
    testing::Values(FailureRow{"NothingFails", FakeRegistry::Call::kNone, {}, u"abc", 1},
                    FailureRow{"OpenFailsAndNothingIsClosed",
                               FakeRegistry::Call::kOpen,
                               {u"Error opening key."},
                               u"",
                               0},
                    // The size stays 0, so the data query gets an empty buffer and fails too:
                    // a missing value shows both messages.
                    FailureRow{"MissingValueShowsTwoMessages",
                               FakeRegistry::Call::kSizeQuery,
                               {u"Error getting subkey length.", u"Error getting subkey value."},
                               u"",
                               1},
                    FailureRow{"DataQueryFails",
                               FakeRegistry::Call::kDataQuery,
                               {u"Error getting subkey value."},
                               u"",
                               1},
                    FailureRow{"CloseFailsAndTheTextIsStillReturned",
                               FakeRegistry::Call::kClose,
                               {u"Error closing key."},
                               u"abc",
                               1}),
    testsupport::RowName());

TEST(ReadRegistryStringTest, SizeQueryFailingWhileTheDataQuerySucceedsStillReads) {
  FakeRegistry registry;
  registry.data.clear();
  registry.failing = FakeRegistry::Call::kSizeQuery;
  RecordingSink sink;
  EXPECT_EQ(Read(registry, sink), u"");
  EXPECT_EQ(sink.shown, std::vector<std::u16string>{u"Error getting subkey length."});
  EXPECT_EQ(registry.closes, 1);
}

TEST(ReadRegistryStringTest, NoDataGivesEmptyTextAndClosesTheKey) {
  FakeRegistry registry;
  registry.data.clear();
  RecordingSink sink;
  EXPECT_EQ(Read(registry, sink), u"");
  EXPECT_TRUE(sink.shown.empty());
  EXPECT_EQ(registry.log.back(), "close 68");
}

TEST(ReadRegistryStringTest, ResultFollowsTheValueType) {
  FakeRegistry registry;
  registry.type = pellam::REG_DWORD;
  registry.data = std::string("\x2a\0\0\0", 4);
  RecordingSink sink;
  EXPECT_EQ(Read(registry, sink), u"0x0000002a (42)");
}

struct ThrowRow {
  const char* name;
  FakeRegistry::Call throwing;
  FakeRegistry::Call failing;
  bool sink_throws;
};

class ReadRegistryStringThrowTest : public testing::TestWithParam<ThrowRow> {};

TEST_P(ReadRegistryStringThrowTest, ClosesTheKeyWhenAnExceptionLeavesBetweenOpenAndClose) {
  FakeRegistry registry;
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
    testing::Values(ThrowRow{"InTheSizeQuery", FakeRegistry::Call::kSizeQuery,
                             FakeRegistry::Call::kNone, false},
                    ThrowRow{"InTheDataQuery", FakeRegistry::Call::kDataQuery,
                             FakeRegistry::Call::kNone, false},
                    ThrowRow{"InTheMessageBoxAfterAFailedQuery", FakeRegistry::Call::kNone,
                             FakeRegistry::Call::kSizeQuery, true},
                    // The close itself throws: the key is not closed a second time.
                    ThrowRow{"InTheClose", FakeRegistry::Call::kClose, FakeRegistry::Call::kNone,
                             false}),
    testsupport::RowName());

}  // namespace
