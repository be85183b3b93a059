// The window's handlers over the example prefix shipped for users to try
// Pellam on, read as the program reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "Pellam/frm_pellam.hpp"
#include "Pellam/wine/wine_prefix_registry.hpp"
#include "tests/support/fake_form.hpp"
#include "tests/support/row_name.hpp"

namespace {

struct Row {
  const char* name;
  std::u16string root;
  std::u16string key;
  std::u16string value_name;
  std::u16string value;
  std::size_t messages;
};

class FrmPellamExamplePrefixTest : public testing::TestWithParam<Row> {};

TEST_P(FrmPellamExamplePrefixTest, ShowsTheValue) {
  pellam::wine::WinePrefixRegistry registry(PELLAM_EXAMPLE_PREFIX);
  pellam::FrmPellam handlers(registry);
  testsupport::FakeForm form(pellam::FrmPellamDesign(), pellam::PellamAppInfo());
  handlers.Load(form);
  auto& list = form.control(u"cboHKey");
  if (!GetParam().root.empty()) {
    list.index =
        static_cast<int>(std::ranges::find(list.items, GetParam().root) - list.items.begin());
    form.control(u"txtKey").text = GetParam().key;
    form.control(u"txtSubkey").text = GetParam().value_name;
  }
  handlers.Click(form, u"cmdGetValue", std::nullopt);
  EXPECT_EQ(form.control(u"lblValue").text, GetParam().value);
  EXPECT_EQ(form.messages.size(), GetParam().messages);
}

const std::u16string kHklm = u"HKEY_LOCAL_MACHINE";
const std::u16string kOxbury = u"SOFTWARE\\Oxbury Options";

INSTANTIATE_TEST_SUITE_P(
    Rows, FrmPellamExamplePrefixTest,
    testing::Values(
        Row{"ThePresetsAtLoad", u"", u"", u"", u"4.2.1", 0},
        Row{"NamesInAnotherCase", kHklm, u"software\\OXBURY options", u"version", u"4.2.1", 0},
        Row{"Dword", kHklm, kOxbury, u"Seats", u"0x0000002a (42)", 0},
        Row{"Qword", kHklm, kOxbury, u"InstalledOn", u"0x01db526c5e8a4000 (133791239333625856)", 0},
        Row{"ExpandableUnexpanded", kHklm, kOxbury, u"InstallDir",
            u"%ProgramFiles%\\Oxbury Options", 0},
        Row{"MultiStringSpaced", kHklm, kOxbury, u"Modules", u"Ledger Payroll Reports", 0},
        Row{"Binary", kHklm, kOxbury, u"Signature", u"4f 58 42 01 02 0a ff", 0},
        Row{"NonAscii", kHklm, kOxbury, u"Owner",
            u"Caf\u00e9 Oxbury \u2013 \u041f\u0440\u0438\u0432\u0435\u0442", 0},
        Row{"Subkey", kHklm, kOxbury + u"\\Settings", u"Theme", u"Classic", 0},
        Row{"DefaultValueOfAClass", u"HKEY_CLASSES_ROOT", u".oxb", u"", u"Oxbury.Document", 0},
        Row{"CurrentUser", u"HKEY_CURRENT_USER", u"Software\\Oxbury Options", u"LastUser",
            u"Demo user", 0},
        Row{"CurrentConfigThroughItsLink", u"HKEY_CURRENT_CONFIG", u"Software\\Fonts", u"LogPixels",
            u"0x00000060 (96)", 0},
        Row{"UsersDefaultProfile", u"HKEY_USERS", u".Default\\Control Panel\\International",
            u"sCountry", u"United Kingdom", 0},
        Row{"MissingKey", kHklm, u"SOFTWARE\\Oxbury Optional", u"Version", u"", 1},
        Row{"ValueOfTheParentKey", kHklm, kOxbury + u"\\Settings", u"Version", u"", 2}),
    testsupport::RowName());

}  // namespace
