#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/sample_design.hpp"

namespace {

using rt::forms::ControlRef;

class Naming final : public testsupport::sample::SampleHandlers {
 public:
  std::vector<ControlRef> Controls() const override { return names; }
  std::vector<ControlRef> names;
};

// The message names the first control the design lacks; none when all are there.
TEST(CheckControlsTest, NamesTheFirstControlTheDesignLacks) {
  const std::pair<std::vector<ControlRef>, std::string> rows[] = {
      {testsupport::sample::SampleHandlers().Controls(), ""},
      {{{u"txtName"}, {u"txtNmae"}}, "the window frmSample has no control txtNmae"},
      {{{u"lblCaption", 1}}, "the window frmSample has no control lblCaption(1)"},
      {{{u"txtName", 0}}, "the window frmSample has no control txtName(0)"},
      {{{u"lblCaption"}}, "the window frmSample has no control lblCaption"}};
  for (const auto& [names, expected] : rows) {
    std::string error;
    Naming handlers;
    handlers.names = names;
    try {
      rt::forms::CheckControls(testsupport::sample::SampleDesign(), handlers);
    } catch (const std::invalid_argument& thrown) {
      error = thrown.what();
    }
    EXPECT_EQ(error, expected);
  }
}

}  // namespace
