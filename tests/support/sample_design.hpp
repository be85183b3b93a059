#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/core/run_time_error.hpp"
#include "runtime/forms/form.hpp"

// A small window that uses every feature a backend renders, and handlers that
// end it each way a program can end. Backend tests run on it.
namespace testsupport::sample {

using rt::forms::ControlKind;
using rt::forms::ControlRef;
using rt::forms::Rgb;

inline constexpr ControlRef kWrite{u"cmdWrite"};  // graphical, with a face colour
inline constexpr ControlRef kSay{u"cmdSay"};      // standard: its face colour is not shown
inline constexpr ControlRef kFail{u"cmdFail"};
inline constexpr ControlRef kExit{u"cmdExit"};
inline constexpr ControlRef kChoice{u"cboChoice"};
inline constexpr ControlRef kStatus{u"lblStatus"};  // takes no focus

inline rt::forms::ControlDesign Button(ControlRef ref, int left, int tab) {
  return {.kind = ControlKind::kCommandButton,
          .name = std::u16string(ref.name),
          .text = std::u16string(ref.name.substr(3)),
          .left = left,
          .top = 1200,
          .width = 900,
          .height = 375,
          .back_colour = Rgb{0, 0, 255},
          .graphical = ref.name == kWrite.name,
          .alignment = rt::forms::Alignment::kCenter,
          .tab_index = tab};
}

// Measures that are not all whole pixels; a focus order unlike the design's order.
inline rt::forms::FormDesign SampleDesign() {
  const rt::forms::Font arial{u"Arial", 12, false};
  return {.name = u"frmSample",
          .caption = u"Sample",
          .client_width = 4500,
          .client_height = 2400,
          .back_colour = Rgb{255, 255, 192},
          .lines = {{u"Line1", 120, 1080, 4380, 1080, 3}},
          .controls = {{.name = u"lblCaption",
                        .index = 0,
                        .text = u"<b>Name</b>",
                        .left = 127,
                        .top = 128,
                        .width = 1000,
                        .height = 255,
                        .fore_colour = Rgb{255, 0, 0},
                        .back_colour = Rgb{192, 255, 255},
                        .alignment = rt::forms::Alignment::kRight,
                        .border = true,
                        .buddy = u"txtName"},
                       {.kind = ControlKind::kTextBox,
                        .name = u"txtName",
                        .text = u"abc",
                        .left = 1200,
                        .top = 120,
                        .width = 2000,
                        .height = 285,
                        .font = arial,
                        .tab_index = 3,
                        .accessible_name = u"Name"},
                       {.kind = ControlKind::kDropDownList,
                        .name = std::u16string(kChoice.name),
                        .left = 1200,
                        .top = 600,
                        .width = 2000,
                        .height = 315,
                        .tab_index = 4,
                        .items = {u"One", u"Two", u"Three"}},
                       Button(kWrite, 120, 0),
                       Button(kSay, 1140, 1),
                       Button(kFail, 2160, 2),
                       Button(kExit, 3180, 5),
                       {.name = std::u16string(kStatus.name),
                        .left = 120,
                        .top = 1800,
                        .width = 4200,
                        .height = 255,
                        .font = rt::forms::Font{u"MS Sans Serif", 9.75, true}}}};
}

inline rt::forms::AppInfo SampleApp() {
  return {u"Sample", 2, 5, 17};
}

// Load selects the second entry and notes the screen it is given; clicks
// write, show a message, raise a run-time error or unload.
class SampleHandlers final : public rt::forms::FormHandlers {
 public:
  std::vector<ControlRef> Controls() const override {
    return {kWrite, kSay, kFail, kExit, kChoice, kStatus};
  }
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

  bool fail_at_load = false;
  std::pair<float, float> screen;
};

}  // namespace testsupport::sample
