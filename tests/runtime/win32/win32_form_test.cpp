// The Win32 backend on the sample design, under Wine's null driver.
#include "runtime/win32/win32_form.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/support/sample_design.hpp"

namespace {

using rt::forms::ControlKind;
namespace sample = testsupport::sample;

std::u16string Text(HWND window) {
  std::u16string text(256, u'\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), 256)));
  return text;
}

long Pixels(double twips, int dpi = 96) {
  return std::lround(twips * dpi / 1440);
}

class Win32FormTest : public ::testing::Test {
 protected:
  HWND Of(const auto& control) const { return form_.WindowOf(control.name, control.index); }
  // Presses a key in the focused control, through the window's dialog keys.
  void Press(WPARAM key, bool shift = false) {
    BYTE keys[256]{};
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    IsDialogMessageW(form_.window(), &message);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }

  rt::forms::FormDesign design_ = sample::SampleDesign();
  sample::SampleHandlers handlers_;
  std::u16string shown_;  // every message box, one after the other
  rt::win32::MessageBoxFunction show_ = [this](HWND, std::u16string_view caption,
                                               std::u16string_view text) {
    shown_ += std::u16string(caption) + u": " + std::u16string(text);
  };
  rt::win32::Win32Form form_{design_, handlers_, sample::SampleApp(), show_};
};

TEST_F(Win32FormTest, ControlsFollowTheDesignAtTheWindowsDpi) {
  EXPECT_EQ(Text(form_.window()), design_.caption);
  RECT client{};
  GetClientRect(form_.window(), &client);
  EXPECT_EQ(client.right, Pixels(design_.client_width));
  EXPECT_EQ(client.bottom, Pixels(design_.client_height));
  for (int dpi : {96, 144}) {
    RECT suggested{0, 0, 100, 100};
    SendMessageW(form_.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    for (const auto& control : design_.controls) {
      SCOPED_TRACE(std::string(control.name.begin(), control.name.end()) + " at " +
                   std::to_string(dpi));
      HWND window = Of(control);
      RECT rect{};
      GetWindowRect(window, &rect);
      MapWindowPoints(nullptr, form_.window(), reinterpret_cast<POINT*>(&rect), 2);
      EXPECT_EQ(rect.left, Pixels(control.left, dpi));
      EXPECT_EQ(rect.top, Pixels(control.top, dpi));
      EXPECT_EQ(rect.right - rect.left, Pixels(control.width, dpi));
      EXPECT_EQ(rect.bottom - rect.top, Pixels(control.height, dpi));
      rt::forms::Font designed = control.font.value_or(rt::forms::kDefaultFont);
      LOGFONTW font{};
      GetObjectW(form_.FontOf(window), sizeof(font), &font);
      EXPECT_EQ(reinterpret_cast<const char16_t*>(font.lfFaceName), designed.family);
      EXPECT_EQ(font.lfHeight, -std::lround(designed.points * dpi / 72));
      EXPECT_EQ(font.lfWeight >= FW_BOLD, designed.bold);
      auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
      if (control.kind == ControlKind::kDropDownList) {
        EXPECT_EQ(SendMessageW(window, CB_GETCOUNT, 0, 0), std::ssize(control.items));
        EXPECT_EQ(style & 3U, static_cast<DWORD>(CBS_DROPDOWNLIST));
      } else if (control.kind == ControlKind::kCommandButton) {
        EXPECT_EQ((style & BS_TYPEMASK) == BS_OWNERDRAW, control.graphical);
      } else {
        EXPECT_EQ((style & WS_BORDER) != 0, control.border);
      }
      if (control.kind != ControlKind::kDropDownList) {
        EXPECT_EQ(Text(window), control.text);
      }
      if (!control.accessible_name.empty()) {  // named by the label created just before it
        EXPECT_NE(Text(GetWindow(window, GW_HWNDPREV)).find(control.accessible_name),
                  std::u16string::npos);
      }
    }
  }
}

// Drawn into a bitmap, labels and graphical buttons show their background or
// face colour beside the caption.
TEST_F(Win32FormTest, LabelsAndGraphicalButtonsDrawTheirDesignedColours) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, CreateCompatibleBitmap(screen, 200, 50));
  for (const auto& control : design_.controls) {
    if (control.back_colour && (control.kind == ControlKind::kLabel || control.graphical)) {
      DRAWITEMSTRUCT item{.hwndItem = Of(control), .hDC = dc, .rcItem = {0, 0, 200, 50}};
      SendMessageW(form_.window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
      auto [red, green, blue] = *control.back_colour;
      EXPECT_EQ(GetPixel(dc, 3, 46), RGB(red, green, blue))
          << std::string(control.name.begin(), control.name.end());
    }
  }
  DeleteObject(SelectObject(dc, previous));
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
}

TEST_F(Win32FormTest, LoadSeesThePrimaryScreenAndFocusFollowsTheTabOrder) {
  ASSERT_TRUE(form_.Load());
  EXPECT_EQ(handlers_.screen, (std::pair{1024.0F * 15, 768.0F * 15}));
  EXPECT_EQ(Text(Of(sample::kChoice)), u"Two");
  std::vector<const rt::forms::ControlDesign*> stops;
  for (const auto& control : design_.controls) {
    if (control.tab_index) {
      stops.push_back(&control);
    }
  }
  std::ranges::sort(stops, {}, [](const auto* control) { return *control->tab_index; });
  form_.Show();
  for (std::size_t step = 0; step <= stops.size(); ++step) {
    EXPECT_EQ(GetFocus(), Of(*stops[step % stops.size()])) << "after Tab " << step;
    Press(VK_TAB);
  }
  Press(VK_TAB, true);
  Press(VK_TAB, true);
  EXPECT_EQ(GetFocus(), Of(*stops.back()));
  Press(VK_RETURN);  // no default button
  EXPECT_EQ(Text(Of(sample::kStatus)), u"");
}

// A run-time error in Load ends the program before its window shows.
TEST_F(Win32FormTest, ProgramFailingAtLoadShowsTheErrorAndEndsWithItsCode) {
  handlers_.fail_at_load = true;
  EXPECT_EQ(rt::win32::RunProgram(design_, handlers_, sample::SampleApp(), show_),
            rt::win32::kRunTimeErrorExitCode);
  EXPECT_EQ(shown_, u"Sample: Run-time error '11':\n\nDivision by zero");
}

struct ClickRow {
  const char* name;
  rt::forms::ControlRef button;
  const char16_t* status;  // nullptr: the window has ended
  const char16_t* shown;
  int exit_code = 0;
};

class Win32FormClickTest : public Win32FormTest, public ::testing::WithParamInterface<ClickRow> {};

TEST_P(Win32FormClickTest, AClickReachesItsHandler) {
  SendMessageW(Of(GetParam().button), BM_CLICK, 0, 0);
  EXPECT_EQ(shown_, GetParam().shown);
  ASSERT_EQ(form_.ended(), GetParam().status == nullptr);
  EXPECT_EQ(form_.exitCode(), GetParam().exit_code);
  if (form_.ended()) {
    EXPECT_EQ(form_.window(), nullptr);
  } else {
    EXPECT_EQ(Text(Of(sample::kStatus)), GetParam().status);
  }
}

const ClickRow kClicks[] = {
    {"Write", sample::kWrite, u"Written", u""},
    {"Say", sample::kSay, u"", u"Sample: Hello there"},
    {"Fail", sample::kFail, nullptr, u"Sample: Run-time error '6':\n\nOverflow",
     rt::win32::kRunTimeErrorExitCode},
    {"Exit", sample::kExit, nullptr, u""},
};
INSTANTIATE_TEST_SUITE_P(Buttons, Win32FormClickTest, ::testing::ValuesIn(kClicks),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
