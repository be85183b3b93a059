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
using testsupport::RecordingRegistry;

// frmPellam's handlers on a fake window over a registry that holds "abc".
struct Pellam {
  explicit Pellam(float screen = 12000, float window = 7320) {
    form.screen_width = form.screen_height = screen;
    form.width = form.height = window;
  }
  void GetValue() { handlers.Click(form, u"cmdGetValue", std::nullopt); }
  testsupport::FakeControl& Root() { return form.control(u"cboHKey"); }
  std::u16string& Value() { return form.control(u"lblValue").text; }

  RecordingRegistry registry;
  pellam::FrmPellam handlers{registry};
  testsupport::FakeForm form{pellam::FrmPellamDesign(), pellam::PellamAppInfo()};
};

class FrmPellamCentringTest : public testing::TestWithParam<CentreRow> {};

TEST_P(FrmPellamCentringTest, LoadSubtractsTheWholeHalves) {
  Pellam pellam(GetParam().screen, GetParam().window);
  pellam.handlers.Load(pellam.form);
  EXPECT_EQ(pellam.form.left, GetParam().offset);
  EXPECT_EQ(pellam.form.top, GetParam().offset);
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
    Pellam pellam(screen);
    testsupport::ExpectOverflow([&] { pellam.handlers.Load(pellam.form); });
  }
}

struct RootRow {
  const char* name;
  std::u16string_view root;
  std::uint32_t handle;
};

class FrmPellamRootTest : public testing::TestWithParam<RootRow> {};

// Load lists the roots with HKEY_LOCAL_MACHINE selected; each passes its handle.
TEST_P(FrmPellamRootTest, GetValueReadsTheTypedNamesUnderTheRoot) {
  Pellam pellam;
  pellam.handlers.Load(pellam.form);
  EXPECT_EQ(pellam.Root().Text(), u"HKEY_LOCAL_MACHINE");
  pellam.Root().index = static_cast<int>(std::ranges::find(pellam.Root().items, GetParam().root) -
                                         pellam.Root().items.begin());
  pellam.form.control(u"txtKey").text = u"Software\\Typed";
  pellam.form.control(u"txtSubkey").text = u"Name";
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

TEST(FrmPellamTest, FailedReadShowsItsMessagesThenClearsTheValue) {
  Pellam pellam;
  pellam.handlers.Load(pellam.form);
  pellam.Value() = u"previous";
  pellam.registry.failing = RecordingRegistry::Call::kSizeQuery;
  pellam.GetValue();
  EXPECT_EQ(pellam.form.messages, (std::vector<std::u16string>{u"Error getting subkey length.",
                                                               u"Error getting subkey value."}));
  EXPECT_EQ(pellam.Value(), u"");
}

class FrmPellamEntryTest : public testing::TestWithParam<std::u16string> {};

// The list never shows such a text; the test puts one in.
TEST_P(FrmPellamEntryTest, NameOfNoRootTouchesNothing) {
  Pellam pellam;
  pellam.handlers.Load(pellam.form);
  pellam.Root().items[3] = GetParam();
  pellam.Root().index = GetParam().empty() ? -1 : 3;
  pellam.Value() = u"previous";
  pellam.GetValue();
  EXPECT_TRUE(pellam.registry.log.empty());
  EXPECT_TRUE(pellam.form.messages.empty());
  EXPECT_EQ(pellam.Value(), u"previous");
}

INSTANTIATE_TEST_SUITE_P(Rows, FrmPellamEntryTest,
                         testing::Values(u"", u"hkey_local_machine", u"HKEY_LOCAL_MACHINE ",
                                         u"HKEY_PERFORMANCE_DATA",
                                         std::u16string(u"HKEY_USERS\0", 11)));

}  // namespace
