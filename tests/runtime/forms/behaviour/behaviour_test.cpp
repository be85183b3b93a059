// What every backend must show, on the sample design: written once, run by
// each backend's test program through its BackendDriver.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "backend_driver.hpp"
#include "tests/support/sample_design.hpp"

namespace {

using rt::forms::Alignment;
using rt::forms::ControlDesign;
using rt::forms::ControlKind;
using rt::forms::Rgb;
using testsupport::ControlRef;
using testsupport::Key;
using testsupport::PixelRect;
namespace sample = testsupport::sample;

constexpr ControlRef kName{u"txtName"};
constexpr ControlRef kCaption{u"lblCaption", 0};

int Pixels(double twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440));
}

std::string Named(const ControlDesign& control) {
  return rt::forms::DisplayName(control.name, control.index);
}

std::string Named(const std::optional<ControlRef>& control) {
  return control ? rt::forms::DisplayName(control->name, control->index) : "nothing";
}

class BehaviourTest : public ::testing::Test {
 protected:
  void SetUp() override { Open(); }

  void Open() {
    driver = testsupport::MakeDriver();
    handlers = sample::SampleHandlers();
    driver->Open(design, handlers, sample::SampleApp());
  }
  // Loads and shows the window, as a program does.
  void LoadAndShow() {
    ASSERT_TRUE(driver->form().Load());
    driver->Show();
  }
  std::u16string Status() { return driver->form().ControlNamed(sample::kStatus).Text(); }

  rt::forms::FormDesign design = sample::SampleDesign();
  sample::SampleHandlers handlers;
  std::unique_ptr<testsupport::BackendDriver> driver;
};

// Layout: where each control is, in which font and colours.

TEST_F(BehaviourTest, TwipsBecomePixelsAtTheWindowsDpiAndFontsTheirSizes) {
  for (int dpi : driver->Dpis()) {
    driver->UseDpi(dpi);
    const int layout = driver->LayoutDpi();
    SCOPED_TRACE("at " + std::to_string(dpi) + " dpi, laid out at " + std::to_string(layout));
    EXPECT_EQ(driver->ClientArea(), (PixelRect{0, 0, Pixels(design.client_width, layout),
                                               Pixels(design.client_height, layout)}));
    for (const auto& control : design.controls) {
      SCOPED_TRACE(Named(control));
      const ControlRef ref{control.name, control.index};
      EXPECT_EQ(driver->Geometry(ref),
                (PixelRect{Pixels(control.left, layout), Pixels(control.top, layout),
                           Pixels(control.width, layout), Pixels(control.height, layout)}));
      const rt::forms::Font designed = control.font.value_or(rt::forms::kDefaultFont);
      EXPECT_EQ(driver->FontOf(ref),
                (testsupport::SeenFont{driver->StandIn(designed.family),
                                       static_cast<int>(std::lround(designed.points * layout / 72)),
                                       designed.bold}));
    }
  }
}

// A line is drawn centred on its coordinates across its thickness.
TEST_F(BehaviourTest, LinesAreDrawnAcrossTheirThickness) {
  LoadAndShow();
  const int layout = driver->LayoutDpi();
  const Rgb window = driver->WindowColour();
  for (const auto& line : design.lines) {
    SCOPED_TRACE(rt::forms::DisplayName(line.name));
    const int x = Pixels(std::min(line.x1, line.x2), layout) + 2;  // clear of the controls
    const int first = Pixels(line.y1, layout) - line.width_pixels / 2;
    EXPECT_EQ(driver->WindowPixel(x, first - 1), window);
    for (int y = first; y < first + line.width_pixels; ++y) {
      EXPECT_NE(driver->WindowPixel(x, y), window) << "row " << y;
    }
    EXPECT_EQ(driver->WindowPixel(x, first + line.width_pixels), window);
  }
}

// A back colour shows on labels, text boxes, lists and graphical buttons; a
// standard button and a label without one keep the standard face.
TEST_F(BehaviourTest, ColoursShowWhereTheDesignGivesThem) {
  LoadAndShow();
  EXPECT_EQ(driver->WindowColour(), *design.back_colour);
  for (const auto& control : design.controls) {
    SCOPED_TRACE(Named(control));
    const ControlRef ref{control.name, control.index};
    const bool shows = control.kind != ControlKind::kCommandButton || control.graphical;
    if (control.back_colour && shows) {
      EXPECT_EQ(driver->BackColour(ref), *control.back_colour);
    } else if (control.kind == ControlKind::kLabel || control.kind == ControlKind::kCommandButton) {
      EXPECT_EQ(driver->BackColour(ref), driver->StandardFace());
    }
    if (control.fore_colour) {
      EXPECT_EQ(driver->ForeColour(ref), *control.fore_colour);
    }
  }
}

TEST_F(BehaviourTest, TextIsAlignedAsDesignedAndATextBoxsTextSitsAtItsTop) {
  for (const auto& control : design.controls) {
    if (control.kind == ControlKind::kLabel || control.kind == ControlKind::kTextBox) {
      SCOPED_TRACE(Named(control));
      const ControlRef ref{control.name, control.index};
      EXPECT_EQ(driver->AlignmentOf(ref), control.alignment);
      EXPECT_EQ(driver->HasBorder(ref), control.border);
    }
  }
  EXPECT_EQ(driver->Shows(kCaption), u"<b>Name</b>") << "a caption is not markup";
  EXPECT_TRUE(driver->TakesTyping(kName));
  EXPECT_FALSE(driver->TakesTyping(sample::kChoice)) << "a list is chosen from, not typed into";
  // The box is 40 pixels high and its font 16: centred, its text would start
  // about 10 pixels down; at the top, within its frame and margin.
  EXPECT_LE(driver->TextTop(kName), 4);
}

// What shows is what a screen reader reads, also when it is nothing, though
// another label names the control.
TEST_F(BehaviourTest, ALabelReadsAloudWhatItShows) {
  LoadAndShow();
  EXPECT_EQ(driver->ReadAloud(sample::kStatus), u"");
  driver->Click(sample::kWrite);
  EXPECT_EQ(driver->ReadAloud(sample::kStatus), u"Written");
  EXPECT_EQ(driver->ReadAloud(kCaption), u"<b>Name</b>");
  for (const auto& control : design.controls) {
    if (!control.accessible_name.empty()) {
      EXPECT_NE(driver->NamedBy({control.name, control.index}).find(control.accessible_name),
                std::u16string::npos)
          << Named(control);
    }
  }
}

// Keys: focus order, Tab, Shift+Tab, Enter, Space, Escape; clicks.

TEST_F(BehaviourTest, FocusStartsAtTheLowestTabIndexAndTabAndShiftTabWrap) {
  LoadAndShow();
  const std::vector<ControlRef> order{sample::kWrite, sample::kSay,    sample::kFail,
                                      kName,          sample::kChoice, sample::kExit};
  for (std::size_t i = 0; i <= order.size(); ++i) {
    EXPECT_EQ(Named(driver->Focused()), Named(order[i % order.size()])) << "after " << i << " Tab";
    driver->Press(Key::kTab);
  }
  for (std::size_t i = 0; i <= order.size(); ++i) {
    driver->Press(Key::kShiftTab);
    EXPECT_EQ(Named(driver->Focused()), Named(order[(order.size() - i) % order.size()]))
        << "after " << i + 1 << " Shift+Tab";
  }
}

// Whatever the button's style, as its own click.
TEST_F(BehaviourTest, EnterOrSpaceOnAFocusedButtonClicksIt) {
  const std::tuple<const char*, int, Key, std::u16string, std::u16string> rows[] = {
      {"Enter on the graphical button", 0, Key::kEnter, u"Written", u""},
      {"Space on the graphical button", 0, Key::kSpace, u"Written", u""},
      {"Enter on the standard button", 1, Key::kEnter, u"", u"Sample: Hello there"},
      {"Space on the standard button", 1, Key::kSpace, u"", u"Sample: Hello there"},
  };
  for (const auto& [what, tabs, key, status, messages] : rows) {
    SCOPED_TRACE(what);
    Open();
    LoadAndShow();
    for (int i = 0; i < tabs; ++i) {
      driver->Press(Key::kTab);
    }
    driver->Press(key);
    EXPECT_EQ(handlers.clicked.size(), 1U);
    EXPECT_EQ(Status(), status);
    EXPECT_EQ(driver->messages, messages);
  }
}

// No button is the default or the cancel button.
TEST_F(BehaviourTest, EnterInATextBoxAndEscapeClickNothing) {
  LoadAndShow();
  driver->Press(Key::kEscape);
  for (int i = 0; i < 3; ++i) {
    driver->Press(Key::kTab);
  }
  ASSERT_EQ(Named(driver->Focused()), Named(kName));
  driver->Press(Key::kEnter);
  driver->Press(Key::kEscape);
  EXPECT_TRUE(handlers.clicked.empty());
  EXPECT_FALSE(driver->form().ended());
  EXPECT_EQ(Named(driver->Focused()), Named(kName));
  EXPECT_EQ(driver->form().ControlNamed(kName).Text(), u"abc");
}

TEST_F(BehaviourTest, ADoubleClickOnAButtonIsTwoClicks) {
  LoadAndShow();
  driver->DoubleClick(sample::kWrite);
  driver->DoubleClick(sample::kSay);
  EXPECT_EQ(handlers.clicked,
            (std::vector<std::u16string>{u"cmdWrite", u"cmdWrite", u"cmdSay", u"cmdSay"}));
  EXPECT_EQ(driver->messages, u"Sample: Hello thereSample: Hello there");
}

// Ending: clicks, errors, Unload, faulty designs.

// Each button clicked on a window of its own. A message box is the
// window's own while it shows; a later end changes no exit code.
TEST_F(BehaviourTest, AClickReachesItsHandlerAndEndsTheProgramAsItSays) {
  const std::tuple<ControlRef, std::u16string, std::u16string, bool, int> rows[] = {
      {sample::kWrite, u"Written", u"", false, 0},
      {sample::kSay, u"", u"Sample: Hello there", false, 0},
      {sample::kFail, u"", u"Sample: Run-time error '6':\n\nOverflow", true,
       rt::forms::kRunTimeErrorExitCode},
      {sample::kExit, u"", u"", true, 0},
  };
  for (const auto& [button, status, messages, ends, exit_code] : rows) {
    SCOPED_TRACE(Named(button));
    Open();
    LoadAndShow();
    driver->Click(button);
    EXPECT_EQ(driver->messages, messages);
    EXPECT_EQ(driver->owned, !messages.empty());
    EXPECT_EQ(driver->form().ended(), ends);
    if (!ends) {
      EXPECT_EQ(Status(), status);
    }
    driver->form().Unload();
    EXPECT_EQ(driver->form().exit_code(), exit_code);
  }
}

// Before the window shows, its measures are already the outer ones it shows
// with; Load sees the primary screen.
TEST_F(BehaviourTest, LoadSeesTheScreenAndTheOuterSizeTheWindowShowsWith) {
  LoadAndShow();
  rt::forms::Form& form = driver->form();
  const PixelRect screen = driver->KnownScreen();
  const auto twips = [](int pixels) { return static_cast<float>(pixels * 15); };
  EXPECT_EQ(handlers.screen, (std::pair{twips(screen.width), twips(screen.height)}));
  const PixelRect outer = driver->OuterFrame();
  EXPECT_EQ(handlers.size_at_load, (std::pair{twips(outer.width), twips(outer.height)}));
  EXPECT_EQ((std::pair{form.Width(), form.Height()}), handlers.size_at_load);
  EXPECT_GE(outer.width, driver->ClientArea().width);
  // Left and Top place the frame, to the nearest pixel.
  form.SetLeft(-450.0F);
  form.SetTop(1507.0F);
  EXPECT_EQ((std::pair{driver->OuterFrame().left, driver->OuterFrame().top}),
            (std::pair{-30, 100}));
  EXPECT_EQ(driver->form().ControlNamed(sample::kChoice).Text(), u"Two");
}

// Each way out of Load, on the backend's whole program: the window never
// shows, and an error's message has no owner.
TEST_F(BehaviourTest, AProgramEndsBeforeItsWindowShowsWhenLoadEndsIt) {
  const std::tuple<const char*,
                   std::function<void(sample::SampleHandlers&, rt::forms::FormDesign&)>, int,
                   std::u16string>
      rows[] = {
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
    if (!messages.empty()) {
      EXPECT_FALSE(driver->owned);
    }
  }
}

TEST_F(BehaviourTest, AFaultyDesignIsRefusedBeforeAnyWindowIsBuilt) {
  design.controls[1].buddy = u"cboChoice";
  EXPECT_THROW(Open(), std::invalid_argument);
}

// The failures handlers can meet, with their messages.
TEST_F(BehaviourTest, UnknownControlsAndListIndicesOutOfRangeAreRefused) {
  LoadAndShow();
  rt::forms::Form& form = driver->form();
  const std::tuple<const char*, std::function<void()>, std::string> rows[] = {
      {"a name the design lacks", [&] { form.ControlNamed(u"lblCaptoin", 0); },
       "no such control: lblCaptoin(0)"},
      {"an array without its index", [&] { form.ControlNamed(u"lblCaption"); },
       "no such control: lblCaption"},
      {"an index past the array", [&] { form.ControlNamed(u"lblCaption", 1); },
       "no such control: lblCaption(1)"},
      {"an index on a single control", [&] { form.ControlNamed(u"txtName", 0); },
       "no such control: txtName(0)"},
      {"an entry past the list", [&] { form.ControlNamed(sample::kChoice).SetListIndex(3); },
       "no such entry in the drop-down list"},
      {"an entry before the list", [&] { form.ControlNamed(sample::kChoice).SetListIndex(-2); },
       "no such entry in the drop-down list"},
      {"a list's text", [&] { form.ControlNamed(sample::kChoice).SetText(u"One"); },
       "a drop-down list's text is its selected entry"},
      {"a text box's list index", [&] { (void)form.ControlNamed(kName).ListIndex(); },
       "only a drop-down list has a list index"},
      {"a label's list index", [&] { form.ControlNamed(kCaption).SetListIndex(0); },
       "only a drop-down list has a list index"},
  };
  for (const auto& [what, call, message] : rows) {
    try {
      call();
      ADD_FAILURE() << what << " is accepted";
    } catch (const std::logic_error& error) {
      EXPECT_EQ(error.what(), message) << what;
    }
  }
  EXPECT_EQ(form.ControlNamed(sample::kChoice).Text(), u"Two");
  form.ControlNamed(sample::kChoice).SetListIndex(-1);
  EXPECT_EQ(form.ControlNamed(sample::kChoice).ListIndex(), -1);
  EXPECT_EQ(form.ControlNamed(sample::kChoice).Text(), u"");
}

TEST_F(BehaviourTest, AMessageBoxHasOneOkButtonNoIconAndTheTitle) {
  EXPECT_EQ(driver->ShowRealMessageBox(u"Sample", u"Hello."),
            (testsupport::SeenMessageBox{u"Sample", u"Hello.", 1, true, false}));
}

}  // namespace
