#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "runtime/forms/form.hpp"
#include "tests/support/row_name.hpp"
#include "tests/support/sample_design.hpp"

namespace {

using rt::forms::ControlRef;

class Naming final : public rt::forms::FormHandlers {
 public:
  explicit Naming(std::vector<ControlRef> names) : names_(std::move(names)) {}
  std::vector<ControlRef> Controls() const override { return names_; }
  void Load(rt::forms::Form&) override {}
  void Click(rt::forms::Form&, std::u16string_view, std::optional<int>) override {}

 private:
  std::vector<ControlRef> names_;
};

struct Row {
  const char* name;
  std::vector<ControlRef> used;
  std::string error;  // empty when the design has them all
};

class CheckControlsTest : public testing::TestWithParam<Row> {};

TEST_P(CheckControlsTest, NamesTheFirstControlTheDesignLacks) {
  const auto design = testsupport::sample::SampleDesign();
  try {
    rt::forms::CheckControls(design, Naming(GetParam().used));
    EXPECT_EQ(GetParam().error, "");
  } catch (const std::invalid_argument& error) {
    EXPECT_EQ(error.what(), GetParam().error);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, CheckControlsTest,
                         testing::Values(Row{"AllPresent",
                                             testsupport::sample::SampleHandlers().Controls(), ""},
                                         Row{"Misspelt",
                                             {{u"txtName"}, {u"txtNmae"}},
                                             "the window frmSample has no control txtNmae"},
                                         Row{"IndexTheDesignLacks",
                                             {{u"lblCaption", 1}},
                                             "the window frmSample has no control lblCaption(1)"},
                                         Row{"IndexOnAPlainControl",
                                             {{u"txtName", 0}},
                                             "the window frmSample has no control txtName(0)"},
                                         Row{"ArrayMemberWithoutIndex",
                                             {{u"lblCaption"}},
                                             "the window frmSample has no control lblCaption"}),
                         testsupport::RowName());

}  // namespace
