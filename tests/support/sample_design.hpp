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
// order, a label that takes no focus.
inline rt::forms::FormDesign SampleDesign() {
  using enum rt::forms::ControlKind;
  using rt::forms::Rgb;
  rt::forms::FormDesign design{.name = u"frmSample", .caption = u"Sample", .client_width = 4500};
  design.client_height = 2400;
  design.back_colour = Rgb{255, 255, 192};
  design.lines = {{u"Line1", 120, 1080, 4380, 1080, 3}};
  auto& c = design.controls;
  c.push_back(Control(kLabel, u"lblCaption", u"<b>Name</b>", 127, 128, 1000));
  c.back().index = 0;
  c.back().fore_colour = Rgb{255, 0, 0};
  c.back().back_colour = Rgb{192, 255, 255};
  c.back().alignment = rt::forms::Alignment::kRight;
  c.back().border = true;
  c.back().buddy = u"txtName";
  c.push_back(Control(kTextBox, u"txtName", u"abc", 1200, 120, 2000, 3));
  c.back().font = rt::forms::Font{u"Arial", 12, false};
  c.back().accessible_name = u"Name";
  c.push_back(Control(kDropDownList, u"cboChoice", u"", 1200, 600, 2000, 4));
  c.back().items = {u"One", u"Two", u"Three"};
  c.push_back(Control(kCommandButton, u"cmdWrite", u"Write", 120, 1200, 900, 0));
  c.back().back_colour = Rgb{0, 0, 255};
  c.back().graphical = true;
  c.push_back(Control(kCommandButton, u"cmdSay", u"Say", 1140, 1200, 900, 1));
  c.back().back_colour = Rgb{0, 0, 255};
  c.push_back(Control(kCommandButton, u"cmdFail", u"Fail", 2160, 1200, 900, 2));
  c.push_back(Control(kCommandButton, u"cmdExit", u"Exit", 3180, 1200, 900, 5));
  c.push_back(Control(kLabel, u"lblStatus", u"", 120, 1800, 4200));
  c.back().font = rt::forms::Font{u"MS Sans Serif", 9.75, true};
  return design;
}

inline rt::forms::AppInfo SampleApp() {
  return {u"Sample", 2, 5, 17};
}

// Load selects the second entry and notes the screen; clicks write, show a
// message, raise a run-time error or unload.
class SampleHandlers : public rt::forms::FormHandlers {
 public:
  std::vector<ControlRef> Controls() const override { return controls; }
  void Load(rt::forms::Form& form) override {
    if (fail_at_load) {
      rt::Raise(rt::ErrorNumber::kDivisionByZero);
    }
    screen = {form.ScreenWidth(), form.ScreenHeight()};
    form.control(kChoice).SetListIndex(1);
  }
  void Click(rt::forms::Form& form, std::u16string_view control,
             std::optional<int> index) override {
    if (kWrite.Is(control, index)) {
      form.control(kStatus).SetText(u"Written");
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
  std::pair<float, float> screen;
};

}  // namespace testsupport::sample
