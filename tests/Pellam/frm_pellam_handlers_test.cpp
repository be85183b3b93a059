#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "Pellam/frm_pellam.hpp"
#include "tests/support/centre_row.hpp"
#include "tests/support/fake_form.hpp"
#include "tests/support/recording_registry.hpp"
#include "tests/support/row_name.hpp"
#include "tests/support/run_time_errors.hpp"

namespace {

using testsupport::CentreRow;
using testsupport::FakeForm;
using testsupport::RecordingRegistry;

struct Pellam {
  Pellam() { handlers.Load(form); }

  void Select(std::u16string_view root) {
    const auto& items = form.control(u"cboHKey").items();
    form.control(u"cboHKey")
        .SetListIndex(
            static_cast<int>(std::find(items.begin(), items.end(), root) - items.begin()));
  }
  void GetValue() { handlers.Click(form, u"cmdGetValue", std::nullopt); }
  std::u16string Value() { return form.control(u"lblValue").Text(); }

  RecordingRegistry registry;
  pellam::FrmPellam handlers{registry};
  FakeForm form{pellam::FrmPellamDesign(), pellam::PellamAppInfo()};
};

class FrmPellamCentringTest : public testing::TestWithParam<CentreRow> {};

TEST_P(FrmPellamCentringTest, LoadSubtractsTheWholeHalves) {
  RecordingRegistry registry;
  pellam::FrmPellam handlers(registry);
  FakeForm form(pellam::FrmPellamDesign(), pellam::PellamAppInfo());
  form.screen_width = form.screen_height = GetParam().screen;
  form.width = form.height = GetParam().window;
  handlers.Load(form);
  EXPECT_EQ(form.left, GetParam().offset);
  EXPECT_EQ(form.top, GetParam().offset);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrmPellamCentringTest,
    testing::Values(CentreRow{"EvenMeasures", 12000.0F, 7320.0F, 2340.0F},
                    // 2145 \ 2 is 1072: the offset stays a whole number of twips.
                    CentreRow{"OddWindowLosesItsHalfTwip", 12000.0F, 2145.0F, 4928.0F},
                    CentreRow{"WindowLargerThanTheScreenGoesNegative", 6015.0F, 7320.0F, -653.0F},
                    // Rounded before halving: 3.5 to 4 gives 2 where truncating gives 1.
                    CentreRow{"TieRoundsBeforeHalving", 3.5F, 0.0F, 2.0F},
                    // -3 \ 2 is -1, towards zero, where a floor would give -2.
                    CentreRow{"NegativeHalfTruncatesTowardsZero", 0.0F, -3.0F, 1.0F},
                    CentreRow{"ExtremeMeasuresStillFit", -2147483648.0F, 2147483520.0F,
                              -2147483584.0F}),
    testsupport::RowName());

TEST(FrmPellamTest, MeasuresBeyondALongRaiseOverflow) {
  for (float screen : {2147483648.0F, std::numeric_limits<float>::infinity(),
                       std::numeric_limits<float>::quiet_NaN()}) {
    RecordingRegistry registry;
    pellam::FrmPellam handlers(registry);
    FakeForm form(pellam::FrmPellamDesign(), pellam::PellamAppInfo());
    form.screen_width = screen;
    testsupport::ExpectOverflow([&] { handlers.Load(form); });
  }
}

TEST(FrmPellamTest, LoadListsTheRootsWithLocalMachineSelected) {
  Pellam pellam;
  EXPECT_EQ(
      pellam.form.control(u"cboHKey").items(),
      (std::vector<std::u16string>{u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_CONFIG",
                                   u"HKEY_CURRENT_USER", u"HKEY_LOCAL_MACHINE", u"HKEY_USERS"}));
  EXPECT_EQ(pellam.form.control(u"cboHKey").Text(), u"HKEY_LOCAL_MACHINE");
  EXPECT_TRUE(pellam.registry.log.empty());
}

struct RootRow {
  const char* name;
  std::u16string_view root;
  std::uint32_t handle;
};

class FrmPellamRootTest : public testing::TestWithParam<RootRow> {};

TEST_P(FrmPellamRootTest, GetValueReadsTheTypedNamesUnderTheRoot) {
  Pellam pellam;
  pellam.Select(GetParam().root);
  pellam.form.control(u"txtKey").SetText(u"Software\\Typed");
  pellam.form.control(u"txtSubkey").SetText(u"Name");
  pellam.GetValue();
  const std::string root = testsupport::LoggedHandle(pellam::PredefinedKey(GetParam().handle));
  EXPECT_EQ(pellam.registry.log,
            (std::vector<std::string>{"open " + root + " 'Software\\Typed' 0 1", "size 68 'Name' 0",
                                      "data 68 'Name' 4", "close 68"}));
  EXPECT_EQ(pellam.Value(), u"abc");
  EXPECT_TRUE(pellam.form.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrmPellamRootTest,
    testing::Values(RootRow{"ClassesRoot", u"HKEY_CLASSES_ROOT", 0x80000000U},
                    RootRow{"CurrentConfigIsNot80000004", u"HKEY_CURRENT_CONFIG", 0x80000005U},
                    RootRow{"CurrentUser", u"HKEY_CURRENT_USER", 0x80000001U},
                    RootRow{"LocalMachine", u"HKEY_LOCAL_MACHINE", 0x80000002U},
                    RootRow{"Users", u"HKEY_USERS", 0x80000003U}),
    testsupport::RowName());

struct FailureRow {
  const char* name;
  RecordingRegistry::Call failing;
  std::vector<std::u16string> messages;
};

class FrmPellamFailureTest : public testing::TestWithParam<FailureRow> {};

TEST_P(FrmPellamFailureTest, FailedReadShowsItsMessagesAndClearsTheValue) {
  Pellam pellam;
  pellam.GetValue();
  ASSERT_EQ(pellam.Value(), u"abc");
  pellam.registry.failing = GetParam().failing;
  pellam.GetValue();
  EXPECT_EQ(pellam.form.messages, GetParam().messages);
  EXPECT_EQ(pellam.Value(), u"");
}

INSTANTIATE_TEST_SUITE_P(Rows, FrmPellamFailureTest,
                         testing::Values(FailureRow{"MissingKey",
                                                    RecordingRegistry::Call::kOpen,
                                                    {u"Error opening key."}},
                                         FailureRow{"MissingValue",
                                                    RecordingRegistry::Call::kSizeQuery,
                                                    {u"Error getting subkey length.",
                                                     u"Error getting subkey value."}}),
                         testsupport::RowName());

struct EntryRow {
  const char* name;
  std::u16string entry;  // none selected when empty
};

class FrmPellamEntryTest : public testing::TestWithParam<EntryRow> {};

// The list never shows such a text; the test puts one in.
TEST_P(FrmPellamEntryTest, NameOfNoRootTouchesNothing) {
  Pellam pellam;
  pellam.GetValue();
  pellam.registry.log.clear();
  auto& list = pellam.form.control(u"cboHKey");
  if (GetParam().entry.empty()) {
    list.SetListIndex(-1);
  } else {
    list.items()[static_cast<std::size_t>(list.ListIndex())] = GetParam().entry;
  }
  pellam.GetValue();
  EXPECT_TRUE(pellam.registry.log.empty());
  EXPECT_TRUE(pellam.form.messages.empty());
  EXPECT_EQ(pellam.Value(), u"abc");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FrmPellamEntryTest,
    testing::Values(EntryRow{"NoneSelected", u""}, EntryRow{"LowerCase", u"hkey_local_machine"},
                    EntryRow{"TrailingSpace", u"HKEY_LOCAL_MACHINE "},
                    EntryRow{"RootNotInTheList", u"HKEY_PERFORMANCE_DATA"},
                    EntryRow{"TerminatorInside", std::u16string(u"HKEY_USERS\0", 11)}),
    testsupport::RowName());

}  // namespace
