// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Each real window on the Win32 backend: it loads, every caption fits its
// control in the font it is drawn with, and above 96 dpi the picture comes
// from the image made for twice the density, so that it is shrunk, sharp,
// rather than stretched.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "runtime/win32/gdi_handles.hpp"
#include "runtime/win32/win32_form.hpp"
#include "tests/support/real_windows.hpp"

namespace {

TEST(DesignSmokeTest, EachWindowLoadsEveryCaptionFitsAndThePictureFollowsTheDpi) {
  testsupport::RealWindows windows;
  for (const auto& each : windows.all) {
    SCOPED_TRACE(std::string(each.design.caption.begin(), each.design.caption.end()));
    std::u16string shown;
    rt::win32::Win32Form form(
        each.design, each.handlers, each.app,
        [&shown](HWND, std::u16string_view, std::u16string_view text) { shown += text; });
    ASSERT_TRUE(form.Load()) << std::string(shown.begin(), shown.end());
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
        // Wine draws "MS Sans Serif" with Liberation Sans, which sets the widest
        // caption 1 % wider than the face it was laid out for.
        EXPECT_LE(extent.cx, client.right * 102 / 100) << length << " characters";
        EXPECT_LE(extent.cy, client.bottom) << length << " characters";
      }
    }
    const auto [plain, plain_scale] = std::pair(form.picture().size, form.picture().scale);
    RECT suggested{0, 0, 100, 100};
    SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    if (each.design.picture) {
      EXPECT_EQ(std::tuple(plain_scale, form.picture().scale, form.picture().size.cx,
                           form.picture().size.cy),
                std::tuple(1, 2, plain.cx * 2, plain.cy * 2));
    }
  }
}

}  // namespace
