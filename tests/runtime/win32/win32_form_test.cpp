// The Win32 backend on a small sample design, under Wine's null driver.
#include "runtime/win32/win32_form.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "runtime/core/run_time_error.hpp"
#include "tests/runtime/win32/sample_design_local.hpp"

namespace {

using rt::forms::ControlKind;

struct Shown {
  std::u16string caption;
  std::u16string text;
};

// Handlers that record what reaches them; a test may give the click a body.
class Recorder final : public rt::forms::FormHandlers {
 public:
  void Load(rt::forms::Form&) override {}
  void Click(rt::forms::Form& form, std::u16string_view name, std::optional<int> index) override {
    clicks.emplace_back(name, index);
    if (on_click) {
      on_click(form);
    }
  }
  std::vector<std::pair<std::u16string, std::optional<int>>> clicks;
  std::function<void(rt::forms::Form&)> on_click;
};

class Win32FormTest : public ::testing::Test {
 protected:
  Win32FormTest()
      : form_(design_, handlers_, {u"Sample", 1, 2, 3},
              [this](HWND, std::u16string_view caption, std::u16string_view text) {
                shown_.push_back({std::u16string(caption), std::u16string(text)});
              }) {}

  // The control's rectangle in the window's client area.
  RECT ClientRect(HWND control) const {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, form_.window(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }

  static std::u16string Text(HWND window) {
    std::u16string text(256, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), 256)));
    return text;
  }

  HWND Of(const rt::forms::ControlDesign& design) const {
    return form_.WindowOf(design.name, design.index);
  }

  // Presses Tab (with Shift, when asked) in the focused control, through the
  // window's dialog keys.
  void PressTab(bool shift) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG message{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    IsDialogMessageW(form_.window(), &message);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }

  rt::forms::FormDesign design_ = testsupport::SampleDesign();
  Recorder handlers_;
  std::vector<Shown> shown_;
  rt::win32::Win32Form form_;
};

int Pixels(int twips) {
  return static_cast<int>(std::lround(twips / 15.0));
}

TEST_F(Win32FormTest, ClientAreaAndControlsSitWhereTheDesignPutsThemAt96Dpi) {
  ASSERT_EQ(form_.dpi(), 96U);
  RECT client{};
  GetClientRect(form_.window(), &client);
  EXPECT_EQ(client.right, Pixels(design_.client_width));
  EXPECT_EQ(client.bottom, Pixels(design_.client_height));
  for (const auto& control : design_.controls) {
    RECT rect = ClientRect(Of(control));
    SCOPED_TRACE(std::string(control.name.begin(), control.name.end()));
    EXPECT_EQ(rect.left, Pixels(control.left));
    EXPECT_EQ(rect.top, Pixels(control.top));
    EXPECT_EQ(rect.right - rect.left, Pixels(control.width));
    EXPECT_EQ(rect.bottom - rect.top, Pixels(control.height));
  }
}

TEST_F(Win32FormTest, ControlsCarryTheirTextsFontsAndEntries) {
  EXPECT_EQ(Text(form_.window()), design_.caption);
  for (const auto& control : design_.controls) {
    SCOPED_TRACE(std::string(control.name.begin(), control.name.end()));
    HWND window = Of(control);
    if (control.kind == ControlKind::kDropDownList) {
      EXPECT_EQ(SendMessageW(window, CB_GETCOUNT, 0, 0), std::ssize(control.items));
    } else {
      EXPECT_EQ(Text(window), control.text);
    }
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    rt::forms::Font designed = control.font.value_or(rt::forms::kDefaultFont);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(font.lfFaceName)), designed.family);
    EXPECT_EQ(font.lfHeight, -std::lround(designed.points * 96 / 72));
    EXPECT_EQ(font.lfWeight >= FW_BOLD, designed.bold);
  }
}

// Screen readers name a text box or list by the label created just before it.
TEST_F(Win32FormTest, EachBoxAndListFollowsTheLabelThatNamesIt) {
  for (const auto& control : design_.controls) {
    if (control.kind != ControlKind::kTextBox && control.kind != ControlKind::kDropDownList) {
      continue;
    }
    SCOPED_TRACE(std::string(control.name.begin(), control.name.end()));
    EXPECT_NE(Text(GetWindow(Of(control), GW_HWNDPREV)).find(control.accessible_name),
              std::u16string::npos);
  }
}

TEST_F(Win32FormTest, TabAndShiftTabFollowTheFocusOrderFromTheFirstStop) {
  std::vector<HWND> stops;
  for (int index = 0;; ++index) {
    auto found = std::ranges::find(design_.controls, std::optional{index},
                                   &rt::forms::ControlDesign::tab_index);
    if (found == design_.controls.end()) {
      break;
    }
    stops.push_back(Of(*found));
  }
  ASSERT_GE(stops.size(), 3U);
  form_.Show();
  EXPECT_EQ(GetFocus(), stops.front());
  for (std::size_t step = 1; step <= stops.size(); ++step) {
    PressTab(false);
    EXPECT_EQ(GetFocus(), stops[step % stops.size()]) << "after Tab " << step;
  }
  PressTab(true);
  EXPECT_EQ(GetFocus(), stops.back());
}

TEST_F(Win32FormTest, AClickReachesTheHandlerAndEnterClicksNothing) {
  auto button = std::ranges::find(design_.controls, ControlKind::kCommandButton,
                                  &rt::forms::ControlDesign::kind);
  auto box =
      std::ranges::find(design_.controls, ControlKind::kTextBox, &rt::forms::ControlDesign::kind);
  form_.Show();
  SetFocus(Of(*box));
  MSG enter{Of(*box), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  IsDialogMessageW(form_.window(), &enter);
  EXPECT_TRUE(handlers_.clicks.empty());
  SendMessageW(Of(*button), BM_CLICK, 0, 0);
  ASSERT_EQ(handlers_.clicks.size(), 1U);
  EXPECT_EQ(handlers_.clicks[0].first, button->name);
  EXPECT_EQ(handlers_.clicks[0].second, button->index);
}

TEST_F(Win32FormTest, MessagesAndRunTimeErrorsGoToTheSinkCaptionedWithTheTitle) {
  handlers_.on_click = [](rt::forms::Form& form) {
    form.MsgBox(u"Hello, «world»");
    rt::Raise(rt::ErrorNumber::kOverflow);
  };
  auto button = std::ranges::find(design_.controls, ControlKind::kCommandButton,
                                  &rt::forms::ControlDesign::kind);
  SendMessageW(Of(*button), BM_CLICK, 0, 0);
  ASSERT_EQ(shown_.size(), 2U);
  EXPECT_EQ(shown_[0].caption, u"Sample");
  EXPECT_EQ(shown_[0].text, u"Hello, «world»");
  EXPECT_EQ(shown_[1].caption, u"Sample");
  EXPECT_EQ(shown_[1].text, u"Run-time error '6':\n\nOverflow");
  EXPECT_TRUE(form_.ended());
  EXPECT_EQ(form_.exitCode(), rt::win32::kRunTimeErrorExitCode);
  EXPECT_EQ(form_.window(), nullptr);
}

TEST_F(Win32FormTest, ANewDpiRebuildsSizesAndFonts) {
  RECT suggested{0, 0, 800, 600};
  SendMessageW(form_.window(), WM_DPICHANGED, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&suggested));
  RECT client{};
  GetClientRect(form_.window(), &client);
  EXPECT_EQ(client.right, 2 * Pixels(design_.client_width));
  const auto& control = design_.controls.front();
  RECT rect = ClientRect(Of(control));
  EXPECT_EQ(rect.right - rect.left, std::lround(control.width * 192 / 1440.0));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Of(control), WM_GETFONT, 0, 0)), sizeof(font),
             &font);
  EXPECT_EQ(font.lfHeight,
            -std::lround(control.font.value_or(rt::forms::kDefaultFont).points * 192 / 72));
}

}  // namespace
