// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "Corvel/frm_corvel.hpp"

#include <string>
#include <vector>

#include "Corvel/readings.hpp"
#include "Corvel/version.hpp"
#include "runtime/core/ansi_codec.hpp"
#include "runtime/core/fp_status.hpp"

namespace corvel {
namespace {

using rt::forms::Alignment;
using rt::forms::ControlKind;
using rt::forms::Font;
using rt::forms::Rgb;

const Font kSans975{u"MS Sans Serif", 9.75, false};
const Font kSans975Bold{u"MS Sans Serif", 9.75, true};
const Font kSans825Bold{u"MS Sans Serif", 8.25, true};
const Font kSans12Bold{u"MS Sans Serif", 12, true};
const Font kArial975{u"Arial", 9.75, false};
const Font kArial975Bold{u"Arial", 9.75, true};

// The controls the handlers use; the design names them through these too.
constexpr rt::forms::ControlRef kShowTreated{u"txtShowTime", 0};
constexpr rt::forms::ControlRef kShowUntreated{u"txtShowTime", 1};
constexpr rt::forms::ControlRef kDaysBeforeReset{u"txtDaysBeforeReset"};
constexpr rt::forms::ControlRef kStart{u"cmdStart"};
constexpr rt::forms::ControlRef kExit{u"cmdExit"};
constexpr rt::forms::ControlRef kVersion{u"lblVersion"};

std::u16string Decimal(int value) {
  return rt::AsciiToUtf16(std::to_string(value));
}

}  // namespace

rt::forms::FormDesign FrmCorvelDesign() {
  return {
      .name = u"frmCorvel",
      .caption = u"Show Windows uptime by timeGetTime API",
      .client_width = 5355,
      .client_height = 4380,
      .back_colour = Rgb{192, 255, 192},
      .icon = rt::forms::ImageRef{u"hourglass-icon.png"},
      .picture = rt::forms::PictureDesign{{u"hourglass-picture.jpg"}, 0, 0},
      .lines = {{u"Line2", 120, 1440, 5160, 1440, 3}, {u"Line1", 120, 2520, 5160, 2520, 3}},
      .controls =
          {
              {.name = u"lblLoopTimer",
               .text = u"Time Lapsed in mSecs",
               .left = 1320,
               .top = 120,
               .width = 2535,
               .height = 255,
               .font = kSans975Bold,
               .alignment = Alignment::kCenter},
              {.name = u"Label5",
               .text = u"Max Value: 2 147 483 647",
               .left = 1320,
               .top = 480,
               .width = 2655,
               .height = 255,
               .font = kSans975,
               .back_colour = Rgb{192, 255, 255},
               .alignment = Alignment::kCenter},
              {.kind = ControlKind::kTextBox,
               .name = std::u16string(kShowTreated.name),
               .index = kShowTreated.index,
               .left = 120,
               .top = 720,
               .width = 5055,
               .height = 375,
               .font = kArial975Bold,
               .tab_index = 0,
               .accessible_name = u"Treated to return a Positive Long Number"},
              {.name = u"Label1",
               .text = u"Treated to return a Positive Long Number ",
               .left = 360,
               .top = 1080,
               .width = 4455,
               .height = 255,
               .font = kSans975Bold,
               .fore_colour = Rgb{0, 128, 0},
               .alignment = Alignment::kCenter},
              {.name = u"lblDaysBeforeReset",
               .text = u"Days Left Before Uptime Reset",
               .left = 600,
               .top = 1680,
               .width = 3855,
               .height = 375,
               .font = kSans12Bold,
               .back_colour = Rgb{255, 224, 192},
               .alignment = Alignment::kCenter},
              {.kind = ControlKind::kTextBox,
               .name = std::u16string(kDaysBeforeReset.name),
               .left = 1800,
               .top = 2040,
               .width = 1455,
               .height = 375,
               .font = kSans825Bold,
               .alignment = Alignment::kCenter,
               .tab_index = 4,
               .accessible_name = u"Days Left Before Uptime Reset"},
              {.name = u"Label2",
               .text = u"Max Values: -2 147 483 648 to  2 147 483 647",
               .left = 600,
               .top = 2640,
               .width = 3975,
               .height = 255,
               .font = kSans975,
               .back_colour = Rgb{255, 255, 192},
               .alignment = Alignment::kCenter},
              {.kind = ControlKind::kTextBox,
               .name = std::u16string(kShowUntreated.name),
               .index = kShowUntreated.index,
               .left = 120,
               .top = 2880,
               .width = 5055,
               .height = 375,
               .font = kArial975Bold,
               .tab_index = 2,
               .accessible_name = u"Untreated"},
              {.name = u"lblUntreated",
               .text = u" ... Untreated ",
               .left = 1680,
               .top = 3240,
               .width = 1695,
               .height = 255,
               .font = kSans975Bold,
               .fore_colour = Rgb{255, 0, 0},
               .alignment = Alignment::kCenter},
              {.kind = ControlKind::kCommandButton,
               .name = std::u16string(kStart.name),
               .text = u"Click to Show",
               .left = 120,
               .top = 3600,
               .width = 1335,
               .height = 615,
               .font = kArial975,
               .back_colour = Rgb{0, 192, 0},
               .graphical = true,
               .alignment = Alignment::kCenter,
               .tab_index = 1},
              {.name = std::u16string(kVersion.name),
               .left = 1680,
               .top = 3720,
               .width = 1935,
               .height = 255,
               .font = kSans825Bold,
               .back_colour = Rgb{192, 255, 192},
               .alignment = Alignment::kCenter},
              {.kind = ControlKind::kCommandButton,
               .name = std::u16string(kExit.name),
               .text = u"Click to Exit",
               .left = 3840,
               .top = 3600,
               .width = 1215,
               .height = 615,
               .font = kArial975,
               .back_colour = Rgb{255, 0, 0},
               .graphical = true,
               .alignment = Alignment::kCenter,
               .tab_index = 3},
          },
  };
}

rt::forms::AppInfo CorvelAppInfo() {
  return {u"Corvel", kVersionMajor, kVersionMinor, kVersionRevision, kDesktopId};
}

float CentredOffset(float screen_twips, float window_twips) {
  return rt::FpChecked([=] { return (screen_twips - window_twips) / 2.0F; });
}

std::u16string VersionText(const rt::forms::AppInfo& app) {
  return u"Version: " + Decimal(app.major) + u"." + Decimal(app.minor) + u"." +
         Decimal(app.revision);
}

std::vector<rt::forms::ControlRef> FrmCorvel::Controls() const {
  return {kShowTreated, kShowUntreated, kDaysBeforeReset, kStart, kExit, kVersion};
}

void FrmCorvel::Load(rt::forms::Form& form) {
  form.SetLeft(CentredOffset(form.ScreenWidth(), form.Width()));
  form.SetTop(CentredOffset(form.ScreenHeight(), form.Height()));
  form.ControlNamed(kVersion).SetText(VersionText(form.App()));
}

void FrmCorvel::Click(rt::forms::Form& form, std::u16string_view control,
                      std::optional<int> index) {
  if (kStart.Is(control, index)) {
    CmdStartClick(form);
  } else if (kExit.Is(control, index)) {
    form.Unload();
  }
}

// Each reading is written before the counter is read again, so the three boxes
// show three separate reads.
void FrmCorvel::CmdStartClick(rt::forms::Form& form) {
  form.ControlNamed(kShowTreated).SetText(ReadingText(TreatedTickCount(ticks_)));
  form.ControlNamed(kShowUntreated).SetText(ReadingText(ticks_.Read()));
  form.ControlNamed(kDaysBeforeReset).SetText(DaysText(TreatedTickCount(ticks_)));
}

}  // namespace corvel
