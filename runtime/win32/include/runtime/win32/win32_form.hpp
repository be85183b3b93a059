// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/forms/backend.hpp"
#include "runtime/forms/design.hpp"
#include "runtime/win32/gdi_handles.hpp"
#include "runtime/win32/picture.hpp"
#include "runtime/win32/win32_controls.hpp"

// The Win32 backend of the forms layer: Win32Form builds a window and its
// standard controls from a FormDesign at the window's DPI (1440 / DPI twips
// per pixel), runs the design's handlers and implements the Form that they
// see. What it must do is written down in runtime/forms/backend.hpp.
namespace rt::win32 {

// Shows a modal message: the text, one OK button, no icon. Replaceable so that
// tests never wait on a dialog.
using MessageBoxFunction =
    std::function<void(HWND owner, std::u16string_view caption, std::u16string_view text)>;
void ShowModalMessage(HWND owner, std::u16string_view caption, std::u16string_view text);

// A whole program: its only window, Load before the window is first shown,
// then the message loop. Returns the exit code: 0 once the window is unloaded
// or closed, kRunTimeErrorExitCode after a run-time error.
int RunProgram(const forms::FormDesign& design, forms::FormHandlers& handlers,
               const forms::AppInfo& app, MessageBoxFunction message_box = ShowModalMessage);

class Win32Form final : public forms::FormCore {
 public:
  // Creates the window, hidden; throws when Windows refuses it.
  Win32Form(const forms::FormDesign& design, forms::FormHandlers& handlers, forms::AppInfo app,
            MessageBoxFunction message_box = ShowModalMessage);
  ~Win32Form() override;

  // Shows the window with the focus on the first control of the focus order.
  void Show();
  // Dispatches messages, with the keyboard's dialog navigation, until the
  // window ends; returns the exit code.
  int RunMessageLoop();
  // What the message loop does with a message before it is dispatched: Enter
  // on a focused button of either style clicks it, and the dialog keys move
  // the focus. True when the message has been handled.
  bool TranslateDialogKey(MSG& message);

  HWND window() const { return window_; }
  // The window built for a control, nullptr for a name the design lacks.
  HWND WindowOf(std::u16string_view name, std::optional<int> index = std::nullopt) const;
  HFONT FontOf(HWND control) const;
  UINT dpi() const { return dpi_; }
  const Picture& picture() const { return picture_; }

  float Width() const override;
  float Height() const override;
  void SetLeft(float twips) override;
  void SetTop(float twips) override;
  float ScreenWidth() const override;
  float ScreenHeight() const override;

 private:
  struct CreateParameters;

  std::unique_ptr<forms::Control> BuildControl(const forms::ControlDesign& design) override;
  void ShowMessage(std::u16string_view caption, std::u16string_view text) override;
  void Close() override;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCreate();
  void OnCommand(WORD id, WORD code);
  void Paint(HDC dc);
  void OnDpiChanged(UINT dpi, const RECT& suggested);

  void Layout();
  RECT PixelRect(const forms::ControlDesign& design) const;
  HFONT FontFor(HDC dc, const forms::ControlDesign& design, int width);
  int ToPixels(double twips) const;
  float ToTwips(int pixels) const;
  const detail::NativeControl* NativeOf(HWND control) const;

  MessageBoxFunction message_box_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  Brush back_brush_;
  Picture picture_;
  // A font as made: face, bold, em height in pixels.
  struct FontKey {
    std::u16string family;
    bool bold = false;
    int height = 0;
    friend bool operator==(const FontKey&, const FontKey&) = default;
  };
  std::vector<std::pair<FontKey, Font>> fonts_;
  std::vector<detail::NativeControl> natives_;
  HWND focus_ = nullptr;
  HWND window_ = nullptr;
};

}  // namespace rt::win32
