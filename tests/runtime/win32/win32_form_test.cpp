// The Win32 backend on the sample design, under Wine's null driver.
#include "runtime/win32/win32_form.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>

#include "tests/support/sample_design.hpp"

namespace {

using rt::forms::ControlKind;
namespace sample = testsupport::sample;

std::u16string Text(HWND window) {
  wchar_t text[256];
  return {reinterpret_cast<char16_t*>(text),
          static_cast<std::size_t>(GetWindowTextW(window, text, 256))};
}

long Pixels(double twips, int dpi = 96) {
  return std::lround(twips * dpi / 1440);
}

// The sample window, hidden, with every message box noted instead of shown.
struct SampleWindow {
  HWND Of(const auto& control) const { return form.WindowOf(control.name, control.index); }

  rt::forms::FormDesign design = sample::SampleDesign();
  sample::SampleHandlers handlers;
  std::u16string shown;  // every message box, one after the other
  rt::win32::MessageBoxFunction show = [this](HWND, std::u16string_view caption,
                                              std::u16string_view text) {
    shown += std::u16string(caption) + u": " + std::u16string(text);
  };
  rt::win32::Win32Form form{design, handlers, sample::SampleApp(), show};
};

struct Win32FormTest : ::testing::Test, SampleWindow {};

// Labels and graphical buttons are also drawn into a bitmap, where their
// background or face colour shows beside the caption.
TEST_F(Win32FormTest, ControlsFollowTheDesignAtTheWindowsDpi) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, CreateCompatibleBitmap(screen, 200, 50));
  EXPECT_EQ(Text(form.window()), design.caption);
  RECT client{};
  GetClientRect(form.window(), &client);
  EXPECT_EQ((std::array{client.right, client.bottom}),
            (std::array{Pixels(design.client_width), Pixels(design.client_height)}));
  for (int dpi : {96, 144}) {
    RECT suggested{0, 0, 100, 100};
    SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    // The width only: the caption is as high as the system draws it, which a
    // DPI message sent by hand does not change.
    GetClientRect(form.window(), &client);
    EXPECT_EQ(client.right, Pixels(design.client_width, dpi)) << "at " << dpi;
    for (const auto& control : design.controls) {
      SCOPED_TRACE(::testing::PrintToString(control.name) + " at " + std::to_string(dpi));
      HWND window = Of(control);
      RECT rect{};
      GetWindowRect(window, &rect);
      MapWindowPoints(nullptr, form.window(), reinterpret_cast<POINT*>(&rect), 2);
      EXPECT_EQ((std::array{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}),
                (std::array{Pixels(control.left, dpi), Pixels(control.top, dpi),
                            Pixels(control.width, dpi), Pixels(control.height, dpi)}));
      rt::forms::Font designed = control.font.value_or(rt::forms::kDefaultFont);
      LOGFONTW font{};
      GetObjectW(form.FontOf(window), sizeof(font), &font);
      EXPECT_EQ(reinterpret_cast<const char16_t*>(font.lfFaceName), designed.family);
      EXPECT_EQ(font.lfHeight, -std::lround(designed.points * dpi / 72));
      EXPECT_EQ(font.lfWeight >= FW_BOLD, designed.bold);
      auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
      if (control.kind == ControlKind::kDropDownList) {
        EXPECT_EQ(SendMessageW(window, CB_GETCOUNT, 0, 0), std::ssize(control.items));
        EXPECT_EQ(style & 3U, static_cast<DWORD>(CBS_DROPDOWNLIST));
        continue;
      }
      EXPECT_EQ(Text(window), control.text);
      if (control.kind == ControlKind::kCommandButton) {
        EXPECT_EQ((style & BS_TYPEMASK) == BS_OWNERDRAW, control.graphical);
      } else {
        EXPECT_EQ((style & WS_BORDER) != 0, control.border);
      }
      if (!control.accessible_name.empty()) {  // named by the label created just before it
        EXPECT_NE(Text(GetWindow(window, GW_HWNDPREV)).find(control.accessible_name),
                  std::u16string::npos);
      }
      if (control.back_colour && (control.kind == ControlKind::kLabel || control.graphical)) {
        DRAWITEMSTRUCT item{.hwndItem = window, .hDC = dc, .rcItem = {0, 0, 200, 50}};
        SendMessageW(form.window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
        auto [red, green, blue] = *control.back_colour;
        EXPECT_EQ(GetPixel(dc, 3, 46), RGB(red, green, blue));
      }
    }
  }
  DeleteObject(SelectObject(dc, previous));
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST_F(Win32FormTest, LoadSeesThePrimaryScreenAndFocusFollowsTheTabOrder) {
  ASSERT_TRUE(form.Load());
  EXPECT_EQ(handlers.screen, (std::pair{1024.0F * 15, 768.0F * 15}));
  EXPECT_EQ(Text(Of(sample::kChoice)), u"Two");
  std::map<int, HWND> stops;  // by tab index
  for (const auto& control : design.controls) {
    if (control.tab_index) {
      stops[*control.tab_index] = Of(control);
    }
  }
  // Presses a key in the focused control, through the window's dialog keys.
  auto press = [this](WPARAM key, bool shift = false) {
    BYTE keys[256]{};
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    IsDialogMessageW(form.window(), &message);
  };
  form.Show();
  for (auto [tab_index, stop] : stops) {
    EXPECT_EQ(GetFocus(), stop) << "stop " << tab_index;
    press(VK_TAB);
  }
  EXPECT_EQ(GetFocus(), stops.begin()->second) << "Tab on the last stop";
  press(VK_TAB, true);
  EXPECT_EQ(GetFocus(), stops.rbegin()->second) << "Shift+Tab on the first stop";
  // Enter in a text box clicks nothing: there is no default button.
  SetFocus(Of(
      *std::ranges::find(design.controls, ControlKind::kTextBox, &rt::forms::ControlDesign::kind)));
  press(VK_RETURN);
  EXPECT_FALSE(form.ended());
  EXPECT_EQ(Text(Of(sample::kStatus)) + shown, u"");
}

// A run-time error in Load, or a fault in the design, ends the program before
// its window shows.
TEST_F(Win32FormTest, ProgramFailingAtLoadShowsTheErrorAndEndsWithItsCode) {
  handlers.fail_at_load = true;
  EXPECT_EQ(rt::win32::RunProgram(design, handlers, sample::SampleApp(), show),
            rt::win32::kRunTimeErrorExitCode);
  design.controls.push_back(design.controls.front());
  EXPECT_EQ(rt::win32::RunProgram(design, handlers, sample::SampleApp(), show),
            rt::win32::kRunTimeErrorExitCode);
  EXPECT_EQ(shown,
            u"Sample: Run-time error '11':\n\nDivision by zero"
            u"Sample: the window frmSample has two controls named lblCaption(0)");
}

// Each button clicked on a sample window of its own.
TEST_F(Win32FormTest, AClickReachesItsHandler) {
  const struct {
    rt::forms::ControlRef button;
    const char16_t* status;  // nullptr: the window has ended
    const char16_t* messages;
    int exit_code = 0;
  } clicks[] = {
      {sample::kWrite, u"Written", u""},
      {sample::kSay, u"", u"Sample: Hello there"},
      {sample::kFail, nullptr, u"Sample: Run-time error '6':\n\nOverflow",
       rt::win32::kRunTimeErrorExitCode},
      {sample::kExit, nullptr, u""},
  };
  for (const auto& [button, status, messages, exit_code] : clicks) {
    SCOPED_TRACE(::testing::PrintToString(std::u16string(button.name)));
    SampleWindow w;
    SendMessageW(w.Of(button), BM_CLICK, 0, 0);
    EXPECT_EQ(w.shown, messages);
    EXPECT_EQ(w.form.ended(), status == nullptr);
    EXPECT_EQ(w.form.window() == nullptr, status == nullptr);
    EXPECT_EQ(w.form.exitCode(), exit_code);
    if (status != nullptr) {
      EXPECT_EQ(Text(w.Of(sample::kStatus)), status);
    }
  }
}

}  // namespace
