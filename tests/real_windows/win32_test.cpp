// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Each real window on the Win32 backend at 96, 144 and 192 dpi: it loads,
// every caption fits its control on one line in the font it is drawn with,
// where controls overlap the later one of the design is drawn whole, and
// above 96 dpi the picture comes from the image made for twice the density,
// so that it is shrunk, sharp, rather than stretched.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "runtime/forms/backend.hpp"
#include "runtime/win32/gdi_handles.hpp"
#include "runtime/win32/win32_form.hpp"
#include "tests/support/real_windows.hpp"

namespace {

constexpr int kDpis[] = {96, 144, 192};

void UseDpi(const rt::win32::Win32Form& form, int dpi) {
  RECT suggested{0, 0, 100, 100};
  SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&suggested));
}

RECT PixelRect(const rt::forms::ControlDesign& control, int dpi) {
  const int left = rt::forms::TwipsToPixels(control.left, dpi);
  const int top = rt::forms::TwipsToPixels(control.top, dpi);
  return {left, top, left + rt::forms::TwipsToPixels(control.width, dpi),
          top + rt::forms::TwipsToPixels(control.height, dpi)};
}

TEST(DesignSmokeTest, EachWindowLoadsEveryCaptionFitsAndThePictureFollowsTheDpi) {
  testsupport::RealWindows windows;
  for (const auto& each : windows.all) {
    SCOPED_TRACE(std::string(each.design.caption.begin(), each.design.caption.end()));
    std::u16string shown;
    rt::win32::Win32Form form(
        each.design, each.handlers, each.app,
        [&shown](HWND, std::u16string_view, std::u16string_view text) { shown += text; });
    ASSERT_TRUE(form.Load()) << std::string(shown.begin(), shown.end());
    const auto [plain, plain_scale] = std::pair(form.picture().size, form.picture().scale);
    for (int dpi : kDpis) {
      UseDpi(form, dpi);
      const rt::win32::WindowDc dc(form.window());
      for (const auto& control : each.design.controls) {
        if (control.kind == rt::forms::ControlKind::kLabel ||
            control.kind == rt::forms::ControlKind::kCommandButton) {
          HWND window = form.WindowOf(control.name, control.index);
          wchar_t text[256];
          const int length = GetWindowTextW(window, text, 256);
          const rt::win32::Selected font(dc.get(), form.FontOf(window));
          SIZE extent{};
          GetTextExtentPoint32W(dc.get(), text, length, &extent);
          RECT client{};
          GetClientRect(window, &client);
          // The caption is drawn centred and cut at the box's edges: one
          // pixel more than the box loses at most half a pixel at each end.
          EXPECT_LE(extent.cx, client.right + 1)
              << rt::forms::DisplayName(control.name, control.index) << " at " << dpi << " dpi";
          EXPECT_LE(extent.cy, client.bottom)
              << rt::forms::DisplayName(control.name, control.index) << " at " << dpi << " dpi";
        }
      }
    }
    if (each.design.picture) {
      UseDpi(form, 144);
      EXPECT_EQ(std::tuple(plain_scale, form.picture().scale, form.picture().size.cx,
                           form.picture().size.cy),
                std::tuple(1, 2, plain.cx * 2, plain.cy * 2));
    }
  }
}

// Both windows have controls that overlap by a pixel or two, such as a text
// box's edge under the label above it. Where a label or a graphical button,
// which the window draws, lies under a later control of the design, it leaves
// that control's pixels alone: drawn on a colour of the test's, it draws
// beside the overlap and not in it.
TEST(DesignSmokeTest, WhereControlsOverlapTheLaterOneOfTheDesignIsOnTop) {
  constexpr COLORREF kUntouched = RGB(1, 2, 3);
  testsupport::RealWindows windows;
  for (const auto& each : windows.all) {
    SCOPED_TRACE(std::string(each.design.caption.begin(), each.design.caption.end()));
    rt::win32::Win32Form form(each.design, each.handlers, each.app,
                              [](HWND, std::u16string_view, std::u16string_view) {});
    ASSERT_TRUE(form.Load());
    for (int dpi : kDpis) {
      UseDpi(form, dpi);
      int checked = 0;
      const auto& controls = each.design.controls;
      for (std::size_t below = 0; below < controls.size(); ++below) {
        const auto& lower = controls[below];
        if (lower.kind != rt::forms::ControlKind::kLabel &&
            !(lower.kind == rt::forms::ControlKind::kCommandButton && lower.graphical)) {
          continue;
        }
        const RECT drawn = PixelRect(lower, dpi);
        for (std::size_t above = below + 1; above < controls.size(); ++above) {
          RECT overlap{};
          const RECT upper = PixelRect(controls[above], dpi);
          if (!IntersectRect(&overlap, &drawn, &upper)) {
            continue;
          }
          ++checked;
          const rt::win32::WindowDc screen(nullptr);
          const rt::win32::MemoryDc dc(CreateCompatibleDC(screen.get()));
          const RECT all{0, 0, drawn.right - drawn.left, drawn.bottom - drawn.top};
          const rt::win32::Bitmap bitmap(
              CreateCompatibleBitmap(screen.get(), all.right, all.bottom));
          const rt::win32::Selected selected(dc.get(), bitmap.get());
          const rt::win32::Brush fill(CreateSolidBrush(kUntouched));
          FillRect(dc.get(), &all, fill.get());
          SendMessageW(form.WindowOf(lower.name, lower.index), WM_PRINTCLIENT,
                       reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
          OffsetRect(&overlap, -drawn.left, -drawn.top);
          const int x = (overlap.left + overlap.right) / 2;
          const int y = (overlap.top + overlap.bottom) / 2;
          // Beside the overlap, a strip along one edge: towards the middle.
          const bool across = overlap.bottom - overlap.top < all.bottom;
          const int beside_x = across ? x : all.right / 2;
          const int beside_y = across ? all.bottom / 2 : y;
          EXPECT_EQ(std::pair(GetPixel(dc.get(), x, y) == kUntouched,
                              GetPixel(dc.get(), beside_x, beside_y) == kUntouched),
                    std::pair(true, false))
              << rt::forms::DisplayName(lower.name, lower.index) << " under "
              << rt::forms::DisplayName(controls[above].name, controls[above].index) << " at "
              << dpi << " dpi";
        }
      }
      EXPECT_GT(checked, 0);
    }
  }
}

}  // namespace
