// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/core/run_time_error.hpp"
#include "runtime/forms/form.hpp"

// A small window that uses every feature a backend renders, and handlers that
// end it each way a program can end. Backend tests run on it.
namespace testsupport::sample {

using rt::forms::ControlRef;

inline constexpr ControlRef kWrite{u"cmdWrite"};
inline constexpr ControlRef kSay{u"cmdSay"};
inline constexpr ControlRef kFail{u"cmdFail"};
inline constexpr ControlRef kExit{u"cmdExit"};
inline constexpr ControlRef kChoice{u"cboChoice"};
inline constexpr ControlRef kStatus{u"lblStatus"};

inline rt::forms::ControlDesign Control(rt::forms::ControlKind kind, std::u16string name,
                                        std::u16string text, int left, int top, int width,
                                        std::optional<int> tab_index = std::nullopt) {
  rt::forms::ControlDesign control{.kind = kind, .name = std::move(name), .text = std::move(text)};
  control.left = left;
  control.top = top;
  control.width = width;
  control.height = kind == rt::forms::ControlKind::kCommandButton ? 375 : 285;
  control.tab_index = tab_index;
  return control;
}

// Measures that are not all whole pixels, a focus order unlike the design's
// order, a label that takes no focus, the three alignments, a text box tall
// enough to tell where its text sits, a left-aligned one to tell where its
// text starts, and a label that names a label.
inline rt::forms::FormDesign SampleDesign() {
  using enum rt::forms::ControlKind;
  using rt::forms::Rgb;
  rt::forms::FormDesign design{.name = u"frmSample", .caption = u"Sample", .client_width = 4500};
  design.client_height = 2400;
  design.back_colour = Rgb{255, 255, 192};
  design.lines = {{u"Line1", 120, 1080, 4380, 1080, 3}};
  auto& c = design.controls;
  c.push_back(Control(kLabel, u"lblCaption", u"<b>Name</b>", 88, 128, 1112));
  c.back().index = 0;
  c.back().fore_colour = Rgb{255, 0, 0};
  c.back().back_colour = Rgb{192, 255, 255};
  c.back().border = true;
  c.back().buddy = u"txtName";
  c.push_back(Control(kTextBox, u"txtName", u"abc", 1200, 120, 2000, 3));
  c.back().font = rt::forms::Font{u"Arial", 12, false};
  c.back().accessible_name = u"Name";
  c.back().height = 600;
  c.back().alignment = rt::forms::Alignment::kCenter;
  c.push_back(Control(kDropDownList, u"cboChoice", u"", 1200, 780, 2000, 4));
  c.back().items = {u"One", u"Two", u"Three"};
  c.push_back(Control(kCommandButton, u"cmdWrite", u"Write", 120, 1200, 900, 0));
  c.back().back_colour = Rgb{0, 0, 255};
  c.back().graphical = true;
  c.push_back(Control(kCommandButton, u"cmdSay", u"Say", 1140, 1200, 900, 1));
  c.back().back_colour = Rgb{0, 0, 255};
  c.push_back(Control(kCommandButton, u"cmdFail", u"Fail", 2160, 1200, 900, 2));
  c.push_back(Control(kCommandButton, u"cmdExit", u"Exit", 3180, 1200, 900, 5));
  c.push_back(Control(kLabel, u"Label1", u"Status", 120, 1800, 600));
  c.back().buddy = u"lblStatus";
  c.push_back(Control(kLabel, u"lblStatus", u"", 780, 1800, 3540));
  c.back().font = rt::forms::Font{u"MS Sans Serif", 9.75, true};
  c.back().alignment = rt::forms::Alignment::kRight;
  c.push_back(Control(kTextBox, u"txtNote", u"Wg", 3300, 120, 1080));
  return design;
}

inline rt::forms::AppInfo SampleApp() {
  return {u"Sample", 2, 5, 17};
}

// Load selects the second entry and notes the screen and the window's size;
// clicks, each noted, write, show a message, raise a run-time error or
// unload.
class SampleHandlers : public rt::forms::FormHandlers {
 public:
  std::vector<ControlRef> Controls() const override { return controls; }
  void Load(rt::forms::Form& form) override {
    if (fail_at_load) {
      rt::Raise(rt::ErrorNumber::kDivisionByZero);
    }
    screen = {form.ScreenWidth(), form.ScreenHeight()};
    size_at_load = {form.Width(), form.Height()};
    form.ControlNamed(kChoice).SetListIndex(list_index_at_load);
    if (unload_at_load) {
      form.Unload();
    }
  }
  void Click(rt::forms::Form& form, std::u16string_view control,
             std::optional<int> index) override {
    clicked.emplace_back(control);
    if (kWrite.Is(control, index)) {
      form.ControlNamed(kStatus).SetText(u"Written");
    } else if (kSay.Is(control, index)) {
      form.MsgBox(u"Hello there");
    } else if (kFail.Is(control, index)) {
      rt::Raise(rt::ErrorNumber::kOverflow);
    } else if (kExit.Is(control, index)) {
      form.Unload();
    }
  }

  std::vector<ControlRef> controls{kWrite, kSay, kFail, kExit, kChoice, kStatus};
  bool fail_at_load = false;
  bool unload_at_load = false;
  int list_index_at_load = 1;
  std::pair<float, float> screen;
  std::pair<float, float> size_at_load;
  std::vector<std::u16string> clicked;
};

}  // namespace testsupport::sample
