// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "Pellam/frm_pellam.hpp"
#include "tests/support/fake_form.hpp"
#include "tests/support/recording_registry.hpp"
#include "tests/support/run_time_errors.hpp"

namespace {

using testsupport::RecordingRegistry;

// frmPellam's handlers on a fake window over a registry that holds "abc".
struct Pellam {
  void GetValue() { handlers.Click(form, u"cmdGetValue", std::nullopt); }
  std::u16string& Value() { return form.ControlNamed(u"lblValue").text; }

  RecordingRegistry registry;
  pellam::FrmPellam handlers{registry};
  testsupport::FakeForm form{pellam::FrmPellamDesign(), pellam::PellamAppInfo()};
};

// Whole twips: each measure rounded half to even, each half truncated towards
// zero; a measure beyond a 32-bit integer overflows.
TEST(FrmPellamTest, LoadCentresInWholeTwips) {
  const std::tuple<const char*, float, float, float> rows[] = {
      {"EvenMeasures", 12000, 7320, 2340},
      {"OddWindowLosesItsHalfTwip", 12000, 2145, 4928},
      {"WindowLargerThanTheScreenGoesNegative", 6015, 7320, -653},
      {"TieRoundsBeforeHalving", 3.5F, 0, 2},
      {"NegativeHalfTruncatesTowardsZero", 0, -3, 1},
      {"ExtremeMeasuresStillFit", -2147483648.0F, 2147483520.0F, -2147483584.0F}};
  for (const auto& [name, screen, window, offset] : rows) {
    SCOPED_TRACE(name);
    Pellam pellam;
    pellam.form.screen_width = pellam.form.screen_height = screen;
    pellam.form.width = pellam.form.height = window;
    pellam.handlers.Load(pellam.form);
    EXPECT_EQ(pellam.form.left, offset);
    EXPECT_EQ(pellam.form.top, offset);
  }
  Pellam pellam;
  pellam.form.screen_width = 2147483648.0F;
  EXPECT_THAT([&] { pellam.handlers.Load(pellam.form); }, testsupport::Raises());
}

// Load selects HKEY_LOCAL_MACHINE. Each root's name reads the typed names under
// its own handle; any other entry, compared exactly, touches nothing.
TEST(FrmPellamTest, GetValueReadsTheTypedNamesUnderTheSelectedRootOrShowsItsFailure) {
  // The name, the list entry, and the handle it reads under (0: none).
  const std::tuple<const char*, std::u16string, std::uint32_t> rows[] = {
      {"ClassesRoot", u"HKEY_CLASSES_ROOT", 0x80000000U},
      {"CurrentConfigIsNot80000004", u"HKEY_CURRENT_CONFIG", 0x80000005U},
      {"CurrentUser", u"HKEY_CURRENT_USER", 0x80000001U},
      {"LocalMachine", u"HKEY_LOCAL_MACHINE", 0x80000002U},
      {"Users", u"HKEY_USERS", 0x80000003U},
      {"NoSelection", u"", 0},
      {"OtherCase", u"hkey_local_machine", 0},
      {"TrailingSpace", u"HKEY_LOCAL_MACHINE ", 0},
      {"RootNotListed", u"HKEY_PERFORMANCE_DATA", 0},
      {"EmbeddedNul", std::u16string(u"HKEY_USERS\0", 11), 0}};
  for (const auto& [name, entry, handle] : rows) {
    SCOPED_TRACE(name);
    Pellam pellam;
    pellam.handlers.Load(pellam.form);
    auto& root = pellam.form.ControlNamed(u"cboHKey");
    EXPECT_EQ(root.Text(), u"HKEY_LOCAL_MACHINE");
    if (handle == 0) {
      root.items.push_back(entry);  // the list never shows such an entry
    }
    const auto found = std::ranges::find(root.items, entry) - root.items.begin();
    root.index = entry.empty() ? -1 : static_cast<int>(found);
    pellam.form.ControlNamed(u"txtKey").text = u"Software\\Typed";
    pellam.form.ControlNamed(u"txtSubkey").text = u"Name";
    pellam.Value() = u"previous";
    pellam.GetValue();
    const std::string logged = testsupport::LoggedHandle(pellam::PredefinedKey(handle));
    const std::vector<std::string> read{"open " + logged + " 'Software\\Typed' 0 1",
                                        "size 68 'Name' 0", "data 68 'Name' 4", "close 68"};
    EXPECT_EQ(pellam.registry.log, handle != 0 ? read : std::vector<std::string>{});
    EXPECT_EQ(pellam.Value(), handle != 0 ? u"abc" : u"previous");
    EXPECT_TRUE(pellam.form.messages.empty());
  }
  // A failed read shows its messages, then clears the value.
  Pellam pellam;
  pellam.handlers.Load(pellam.form);
  pellam.Value() = u"previous";
  pellam.registry.failing = RecordingRegistry::Call::kSizeQuery;
  pellam.GetValue();
  EXPECT_EQ(pellam.form.messages, (std::vector<std::u16string>{u"Error getting subkey length.",
                                                               u"Error getting subkey value."}));
  EXPECT_EQ(pellam.Value(), u"");
}

}  // namespace
