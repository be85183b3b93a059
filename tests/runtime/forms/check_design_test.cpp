// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/sample_design.hpp"

namespace {

using rt::forms::ControlRef;
using rt::forms::FormDesign;

// The message names the first fault; none when there is none. The sample's
// controls in order: lblCaption(0), txtName, cboChoice, cmdWrite, ...
TEST(CheckDesignTest, NamesTheFirstFault) {
  const std::vector<ControlRef> all = testsupport::sample::SampleHandlers().Controls();
  const auto as_is = [](FormDesign&) {};
  const std::tuple<std::vector<ControlRef>, std::function<void(FormDesign&)>, std::string> rows[] =
      {{all, as_is, ""},
       {{{u"txtName"}, {u"txtNmae"}}, as_is, "has no control txtNmae"},
       {{{u"lblCaption", 1}}, as_is, "has no control lblCaption(1)"},
       {{{u"txtName", 0}}, as_is, "has no control txtName(0)"},
       {{{u"lblCaption"}}, as_is, "has no control lblCaption"},
       {all, [](auto& design) { design.controls.push_back(design.controls[2]); },
        "has two controls named cboChoice"},
       {all, [](auto& design) { design.controls[1].buddy = u"cboChoice"; },  // not a label
        "has a buddy on txtName, which must be a label naming a control"},
       {all, [](auto& design) { design.controls[0].buddy = u"lblCaption"; },
        "has a buddy on lblCaption(0), which must be a label naming a control"},
       {all, [](auto& design) { design.controls[3].accessible_name = u"Write"; },
        "gives an accessible name to the caption of cmdWrite"},
       {all, [](auto& design) { design.controls[0].accessible_name = u"Name"; },
        "gives an accessible name to the caption of lblCaption(0)"},
       {all, [](auto& design) { design.lines[0].y2 = 1081; }, "has the sloping line Line1"}};
  for (const auto& [names, fault, expected] : rows) {
    FormDesign design = testsupport::sample::SampleDesign();
    fault(design);
    testsupport::sample::SampleHandlers handlers;
    handlers.controls = names;
    std::string error;
    try {
      rt::forms::CheckDesign(design, handlers);
    } catch (const std::invalid_argument& thrown) {
      error = thrown.what();
    }
    EXPECT_EQ(error, expected.empty() ? "" : "the window frmSample " + expected);
  }
}

}  // namespace
