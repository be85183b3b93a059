// Each real window on the Win32 backend: it loads, and every caption fits its
// control in the font it is drawn with.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "Corvel/frm_corvel.hpp"
#include "Pellam/frm_pellam.hpp"
#include "runtime/win32/win32_form.hpp"
#include "tests/support/recording_registry.hpp"
#include "tests/support/scripted_ticks.hpp"

namespace {

struct Window {
  const char* name;
  std::function<rt::forms::FormDesign()> design;
  std::function<rt::forms::AppInfo()> app;
};

class DesignSmokeTest : public ::testing::TestWithParam<Window> {};

TEST_P(DesignSmokeTest, LoadsAndEveryCaptionFits) {
  testsupport::ScriptedTicks ticks;
  corvel::FrmCorvel corvel(ticks);
  testsupport::RecordingRegistry registry;
  pellam::FrmPellam pellam(registry);
  rt::forms::FormHandlers& handlers = std::string(GetParam().name) == "Corvel"
                                          ? static_cast<rt::forms::FormHandlers&>(corvel)
                                          : pellam;
  std::u16string shown;
  rt::forms::FormDesign design = GetParam().design();
  rt::win32::Win32Form form(
      design, handlers, GetParam().app(),
      [&shown](HWND, std::u16string_view, std::u16string_view text) { shown += text; });
  ASSERT_TRUE(form.Load()) << std::string(shown.begin(), shown.end());
  HDC dc = GetDC(form.window());
  for (const auto& control : design.controls) {
    if (control.kind != rt::forms::ControlKind::kLabel &&
        control.kind != rt::forms::ControlKind::kCommandButton) {
      continue;
    }
    HWND window = form.WindowOf(control.name, control.index);
    std::wstring text(256, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), 256)));
    HGDIOBJ previous = SelectObject(dc, form.FontOf(window));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    RECT client{};
    GetClientRect(window, &client);
    // Wine draws "MS Sans Serif" with Liberation Sans, which sets the widest
    // caption 1 % wider than the face it was laid out for.
    EXPECT_LE(extent.cx, client.right * 102 / 100)
        << std::string(control.name.begin(), control.name.end());
    EXPECT_LE(extent.cy, client.bottom) << std::string(control.name.begin(), control.name.end());
  }
  ReleaseDC(form.window(), dc);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, DesignSmokeTest,
    ::testing::Values(Window{"Corvel", corvel::FrmCorvelDesign, corvel::CorvelAppInfo},
                      Window{"Pellam", pellam::FrmPellamDesign, pellam::PellamAppInfo}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
