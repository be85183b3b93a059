// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// What every backend must show, on the sample design: written once, run by
// each backend's test program through its BackendDriver.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "backend_driver.hpp"
#include "tests/support/sample_design.hpp"

namespace {

using rt::forms::ControlKind;
using testsupport::BackendDriver;
using testsupport::ControlRef;
using testsupport::Key;
using testsupport::Pixels;
namespace sample = testsupport::sample;

constexpr ControlRef kName{u"txtName"};
constexpr ControlRef kCaption{u"lblCaption", 0};

// A control's font as the backend shows it when laid out at `layout` DPI.
testsupport::SeenFont ShownFont(const BackendDriver& driver, const rt::forms::Font& font,
                                int layout) {
  const auto stand_in = driver.stand_ins.find(font.family);
  return {stand_in == driver.stand_ins.end() ? font.family : stand_in->second,
          static_cast<int>(std::lround(font.points * layout / 72)), font.bold};
}

class BehaviourTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(); }
  void Open() {
    driver = testsupport::MakeDriver();
    handlers = sample::SampleHandlers();
    driver->Open(design, handlers, sample::SampleApp());
  }
  // The control that has the keyboard focus, if it is one of the design's.
  std::string Focused() {
    for (const auto& control : design.controls) {
      if (driver->See({control.name, control.index}).focused) {
        return rt::forms::DisplayName(control.name, control.index);
      }
    }
    return "nothing";
  }
  // Loads and shows the window, as a program does.
  void LoadAndShow() {
    ASSERT_TRUE(driver->form().Load());
    driver->Show();
  }

  rt::forms::FormDesign design = sample::SampleDesign();
  sample::SampleHandlers handlers;
  std::unique_ptr<BackendDriver> driver;
};

// What the window draws, sampled at points in device pixels: a line centred on
// its coordinates, as thick as the forms' rule makes it; a graphical button's
// flat face of its colour inside an edge; a bordered label's border, its text
// flush inside it.
void ExpectDrawn(BackendDriver& driver, const rt::forms::FormDesign& design, int dpi, int layout) {
  const testsupport::Image window = driver.WindowImage();
  const auto at = [&window](int x, int y) { return window.At(x, y); };
  EXPECT_EQ(at(2, 2), *design.back_colour);
  for (const auto& line : design.lines) {
    const int x = Pixels(std::min(line.x1, line.x2), dpi) + 2;  // clear of the controls
    const int thickness = rt::forms::ThicknessToPixels(line.width_pixels, dpi);
    const int first = Pixels(line.y1, dpi) - thickness / 2;
    for (int y = first - 1; y <= first + thickness; ++y) {
      EXPECT_EQ(at(x, y) == *design.back_colour, y < first || y >= first + thickness)
          << "row " << y;
    }
  }
  // A control's sides, where Qt, scaling logical pixels, may put them between
  // device pixels: each side is sampled in the middle of its band.
  const double scale = static_cast<double>(dpi) / layout;
  const int line = rt::forms::ThicknessToPixels(1, dpi);
  const int border = rt::forms::ThicknessToPixels(rt::forms::kBorderPixels, dpi);
  for (const auto& control : design.controls) {
    SCOPED_TRACE(rt::forms::DisplayName(control.name, control.index));
    const auto [x, y, width, height] = driver.See({control.name, control.index}).geometry;
    const double left = x * scale;
    const double top = y * scale;
    const double right = (x + width) * scale;  // past the last column
    const double bottom = (y + height) * scale;
    const auto in = [](double from, double by) { return static_cast<int>(std::floor(from + by)); };
    if (control.graphical) {  // below its edge and above its caption; then its edge
      EXPECT_EQ(at(in(left, width * scale / 2), in(top, 2 * line + 1)), *control.back_colour);
      EXPECT_NE(at(in(left, width * scale / 2), in(bottom, -0.5)), *control.back_colour);
    }
    if (control.border) {  // the sample's is left-aligned, its text long
      const double band = border / 2.0;
      const double mid_x = (left + right) / 2;
      const double mid_y = (top + bottom) / 2;
      EXPECT_EQ(at(in(left, band), in(mid_y, 0)), rt::forms::kBorderColour);
      EXPECT_EQ(at(in(right, -band), in(mid_y, 0)), rt::forms::kBorderColour);
      EXPECT_EQ(at(in(mid_x, 0), in(top, band)), rt::forms::kBorderColour);
      EXPECT_EQ(at(in(mid_x, 0), in(bottom, -band)), rt::forms::kBorderColour);
      EXPECT_EQ(at(in(mid_x, 0), in(top, band + border)), *control.back_colour);
      EXPECT_EQ(at(in(mid_x, 0), in(bottom, -band - border)), *control.back_colour);
      // The text starts within a pixel (at 96 dpi) of the border's inside.
      const int first = in(left, band + border);
      const auto blank = [&](int column) {
        for (int row = in(top, band + border); row < in(bottom, -band - border); ++row) {
          if (at(column, row) != *control.back_colour) {
            return false;
          }
        }
        return true;
      };
      int ink = first;
      while (ink < first + 4 * line && blank(ink)) {
        ++ink;
      }
      EXPECT_LE(ink, first + line);
    }
  }
}

// Colours show on labels, text boxes, lists and graphical buttons; a standard
// button and a label without one keep the standard face. Text is aligned as
// designed, a text box's at its top and within its edge as the forms' inset
// says; a caption is not markup; a screen reader names a field by its label.
// Measures and fonts follow the window's DPI.
TEST_F(BehaviourTest, TheWindowAndEachControlArePlacedDrawnAndNamedAsDesigned) {
  LoadAndShow();
  EXPECT_EQ(driver->See(kCaption).read_aloud, u"<b>Name</b>");
  // The box is 40 pixels high and its font 16: centred, its text would start
  // about 10 pixels down; at the top, within its frame and margin.
  EXPECT_LE(driver->See(kName).text_top, 4);
  for (int dpi : driver->dpis) {
    const int layout = driver->UseDpi(dpi);
    SCOPED_TRACE("at " + std::to_string(dpi) + " dpi, laid out at " + std::to_string(layout));
    ExpectDrawn(*driver, design, dpi, layout);
    EXPECT_EQ(driver->WindowRect(false),
              (testsupport::PixelRect{0, 0, Pixels(design.client_width, layout),
                                      Pixels(design.client_height, layout)}));
    for (const auto& control : design.controls) {
      SCOPED_TRACE(rt::forms::DisplayName(control.name, control.index));
      const testsupport::SeenControl seen = driver->See({control.name, control.index});
      EXPECT_EQ(seen.geometry, (testsupport::PixelRect{
                                   Pixels(control.left, layout), Pixels(control.top, layout),
                                   Pixels(control.width, layout), Pixels(control.height, layout)}));
      EXPECT_EQ(seen.font, ShownFont(*driver, rt::forms::FontOf(control), layout));
      const bool text =
          control.kind == ControlKind::kLabel || control.kind == ControlKind::kTextBox;
      const bool shows = control.kind != ControlKind::kCommandButton || control.graphical;
      if (control.back_colour && shows) {
        EXPECT_EQ(seen.back, *control.back_colour);
      } else if (control.kind == ControlKind::kLabel ||
                 control.kind == ControlKind::kCommandButton) {
        EXPECT_EQ(seen.back, driver->standard_face);
      }
      EXPECT_EQ(seen.fore, control.fore_colour.value_or(seen.fore));
      EXPECT_EQ(seen.alignment, text ? control.alignment : seen.alignment);
      if (control.kind == ControlKind::kTextBox &&
          control.alignment == rt::forms::Alignment::kLeft) {
        const rt::forms::TextInset inset = rt::forms::TextInsetOf(control, layout);
        EXPECT_EQ(seen.text_left, inset.left);
        EXPECT_NEAR(seen.text_top, inset.top, 1);  // the system's edge may stay 2 pixels
      }
      EXPECT_EQ(seen.takes_typing, control.kind == ControlKind::kTextBox);
      EXPECT_NE(seen.named_by.find(control.accessible_name), std::u16string::npos);
    }
  }
}

// Where most controls share a font other than the default, a control that
// names none still shows the default, and every other its own.
TEST_F(BehaviourTest, EachControlKeepsItsFontWhereMostShareAnother) {
  const rt::forms::Font shared{u"MS Sans Serif", 9.75, true};
  for (auto& control : design.controls) {
    if (!control.font && control.name != kCaption.name) {
      control.font = shared;
    }
  }
  ASSERT_EQ(rt::forms::CommonFont(design), shared);
  Open();
  LoadAndShow();
  const int layout = driver->UseDpi(driver->dpis.front());
  for (const auto& control : design.controls) {
    EXPECT_EQ(driver->See({control.name, control.index}).font,
              ShownFont(*driver, rt::forms::FontOf(control), layout))
        << rt::forms::DisplayName(control.name, control.index);
  }
}

TEST_F(BehaviourTest, FocusStartsAtTheLowestTabIndexAndTabAndShiftTabWrap) {
  LoadAndShow();
  const std::vector<std::string> order{"cmdWrite", "cmdSay",    "cmdFail",
                                       "txtName",  "cboChoice", "cmdExit"};
  const std::size_t n = order.size();
  for (std::size_t i = 0; i <= n; ++i) {
    EXPECT_EQ(Focused(), order[i % n]) << "after " << i << " Tab";
    driver->Press(Key::kTab);
  }
  for (std::size_t i = 0; i <= n; ++i) {
    driver->Press(Key::kShiftTab);
    EXPECT_EQ(Focused(), order[(n - i) % n]) << "after " << i + 1 << " Shift+Tab";
  }
}

// Each row on a window of its own, and what its clicks do as the sample's
// handlers say. Enter or Space on a focused button clicks it, whatever its
// style; no button is the default or the cancel button; a double-click is two
// clicks. A message box is the window's own while it shows; a label reads
// aloud what it shows; a later end changes no exit code.
TEST_F(BehaviourTest, KeysAndClicksReachTheHandlersAndEndTheProgramAsTheySay) {
  using enum Key;
  using sample::kExit, sample::kFail, sample::kSay, sample::kWrite;
  const struct {
    const char* what;
    std::vector<Key> keys;
    std::vector<ControlRef> clicks;
    bool doubled;
    std::vector<std::u16string> clicked;
    std::string focus;  // where the keys leave the focus
  } rows[] = {
      {"Enter on the graphical button", {kEnter}, {}, false, {u"cmdWrite"}, "cmdWrite"},
      {"Space on the graphical button", {kSpace}, {}, false, {u"cmdWrite"}, "cmdWrite"},
      {"Enter on the standard button", {kTab, kEnter}, {}, false, {u"cmdSay"}, "cmdSay"},
      {"Space on the standard button", {kTab, kSpace}, {}, false, {u"cmdSay"}, "cmdSay"},
      {"in a text box", {kEscape, kTab, kTab, kTab, kEnter, kEscape}, {}, false, {}, "txtName"},
      {"a double-click, graphical", {}, {kWrite}, true, {u"cmdWrite", u"cmdWrite"}},
      {"a double-click, standard", {}, {kSay}, true, {u"cmdSay", u"cmdSay"}},
      {"a click that writes", {}, {kWrite}, false, {u"cmdWrite"}},
      {"a click that says", {}, {kSay}, false, {u"cmdSay"}},
      {"a click that fails", {}, {kFail}, false, {u"cmdFail"}},
      {"a click that unloads", {}, {kExit}, false, {u"cmdExit"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::u16string status;
    std::u16string messages;
    bool ends = false;
    int exit_code = 0;
    for (const std::u16string& button : row.clicked) {
      status = button == u"cmdWrite" ? u"Written" : status;
      messages += button == u"cmdSay" ? u"Sample: Hello there" : u"";
      if (button == u"cmdFail") {
        messages += u"Sample: Run-time error '6':\n\nOverflow";
        exit_code = rt::forms::kRunTimeErrorExitCode;
      }
      ends = ends || button == u"cmdFail" || button == u"cmdExit";
    }
    Open();
    LoadAndShow();
    for (Key key : row.keys) {
      driver->Press(key);
    }
    for (const ControlRef& button : row.clicks) {
      row.doubled ? driver->DoubleClick(button) : driver->Click(button);
    }
    EXPECT_EQ(handlers.clicked, row.clicked);
    EXPECT_EQ(driver->messages, messages);
    EXPECT_EQ(driver->owned, !messages.empty());
    EXPECT_EQ(driver->form().ended(), ends);
    if (!ends) {
      EXPECT_EQ(driver->form().ControlNamed(sample::kStatus).Text(), status);
      EXPECT_EQ(driver->See(sample::kStatus).read_aloud, status);
      EXPECT_EQ(driver->form().ControlNamed(kName).Text(), u"abc");
    }
    if (!row.focus.empty()) {
      EXPECT_EQ(Focused(), row.focus);
    }
    driver->form().Unload();
    EXPECT_EQ(driver->form().exit_code(), exit_code);
  }
}

// Before the window shows, its measures are already the outer ones it shows
// with; Load sees the primary screen; Left and Top place the frame.
TEST_F(BehaviourTest, LoadSeesTheScreenAndTheOuterSizeTheWindowShowsWith) {
  LoadAndShow();
  rt::forms::Form& form = driver->form();
  const auto twips = [](int pixels) { return static_cast<float>(pixels * 15); };
  EXPECT_EQ(handlers.screen, (std::pair{twips(driver->screen[2]), twips(driver->screen[3])}));
  const testsupport::PixelRect outer = driver->WindowRect(true);
  EXPECT_EQ(handlers.size_at_load, (std::pair{twips(outer[2]), twips(outer[3])}));
  EXPECT_EQ((std::pair{form.Width(), form.Height()}), handlers.size_at_load);
  EXPECT_GE(outer[2], driver->WindowRect(false)[2]);
  form.SetLeft(-450.0F);
  form.SetTop(1507.0F);  // to the nearest pixel
  EXPECT_EQ((std::pair{driver->WindowRect(true)[0], driver->WindowRect(true)[1]}),
            (std::pair{-30, 100}));
  EXPECT_EQ(form.ControlNamed(sample::kChoice).Text(), u"Two");
}

// Each way out of Load, and a faulty design, on the backend's whole program:
// the window never shows, and an error's message has no owner.
TEST_F(BehaviourTest, AProgramEndsBeforeItsWindowShowsWhenLoadEndsIt) {
  using Change = std::function<void(sample::SampleHandlers&, rt::forms::FormDesign&)>;
  const std::tuple<const char*, Change, int, std::u16string> rows[] = {
      {"a run-time error in Load", [](auto& h, auto&) { h.fail_at_load = true; }, 1,
       u"Sample: Run-time error '11':\n\nDivision by zero"},
      {"any other failure in Load", [](auto& h, auto&) { h.list_index_at_load = 3; }, 1,
       u"Sample: no such entry in the drop-down list"},
      {"Unload in Load", [](auto& h, auto&) { h.unload_at_load = true; }, 0, u""},
      {"a faulty design", [](auto&, auto& d) { d.controls.push_back(d.controls.front()); }, 1,
       u"Sample: the window frmSample has two controls named lblCaption(0)"},
  };
  for (const auto& [what, change, exit_code, messages] : rows) {
    SCOPED_TRACE(what);
    sample::SampleHandlers failing;
    rt::forms::FormDesign changed = design;
    change(failing, changed);
    driver->messages.clear();
    driver->owned = true;
    EXPECT_EQ(driver->RunProgram(changed, failing, sample::SampleApp()), exit_code);
    EXPECT_EQ(driver->messages, messages);
    EXPECT_TRUE(messages.empty() || !driver->owned);
  }
}

// The failures handlers can meet, with their messages.
TEST_F(BehaviourTest, UnknownControlsAndListIndicesOutOfRangeAreRefused) {
  LoadAndShow();
  rt::forms::Form& form = driver->form();
  rt::forms::Control& list = form.ControlNamed(sample::kChoice);
  const std::pair<std::function<void()>, std::string> refusals[] = {
      {[&] { form.ControlNamed(u"lblCaptoin", 0); }, "no such control: lblCaptoin(0)"},
      {[&] { form.ControlNamed(u"lblCaption"); }, "no such control: lblCaption"},
      {[&] { form.ControlNamed(u"lblCaption", 1); }, "no such control: lblCaption(1)"},
      {[&] { form.ControlNamed(u"txtName", 0); }, "no such control: txtName(0)"},
      {[&] { list.SetListIndex(3); }, "no such entry in the drop-down list"},
      {[&] { list.SetListIndex(-2); }, "no such entry in the drop-down list"},
      {[&] { list.SetText(u"One"); }, "a drop-down list's text is its selected entry"},
      {[&] { (void)form.ControlNamed(kName).ListIndex(); },
       "only a drop-down list has a list index"},
      {[&] { form.ControlNamed(kCaption).SetListIndex(0); },
       "only a drop-down list has a list index"},
  };
  for (const auto& [call, message] : refusals) {
    EXPECT_THAT(call, testing::ThrowsMessage<std::logic_error>(message));
  }
  EXPECT_EQ(list.Text(), u"Two");
  list.SetListIndex(-1);
  EXPECT_EQ(std::pair(list.ListIndex(), list.Text()), std::pair(-1, std::u16string()));
}

TEST_F(BehaviourTest, AMessageBoxHasOneOkButtonNoIconAndTheTitle) {
  EXPECT_EQ(driver->ShowRealMessageBox(u"Sample", u"Hello."),
            (testsupport::SeenMessageBox{u"Sample", u"Hello.", 1, true, false}));
}

}  // namespace
