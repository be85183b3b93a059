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
        Row{"Subkey", kHklm, kOxbury + u"\\Settings", u"Theme", u"Classic", 0},
        Row{"CurrentConfigThroughItsLink", u"HKEY_CURRENT_CONFIG", u"Software\\Fonts", u"LogPixels",
            u"0x00000060 (96)", 0},
        Row{"UsersDefaultProfile", u"HKEY_USERS", u".Default\\Control Panel\\International",
            u"sCountry", u"United Kingdom", 0},
        Row{"MissingKey", kHklm, u"SOFTWARE\\Oxbury Optional", u"Version", u"", 1}),
    testsupport::RowName());

}  // namespace
