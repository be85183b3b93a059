#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/forms/design.hpp"
#include "runtime/forms/form.hpp"
#include "runtime/win32/gdi_handles.hpp"

// The Win32 backend of the forms layer: Win32Form builds a window and its
// standard controls from a FormDesign at the window's DPI (1440 / DPI twips
// per pixel), runs the design's handlers and implements the Form that they
// see.
namespace rt::win32 {

inline constexpr int kRunTimeErrorExitCode = 1;

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

class Win32Form final : public forms::Form {
 public:
  // Creates the window, hidden; throws when Windows refuses it.
  Win32Form(const forms::FormDesign& design, forms::FormHandlers& handlers, forms::AppInfo app,
            MessageBoxFunction message_box = ShowModalMessage);
  ~Win32Form() override;
  Win32Form(const Win32Form&) = delete;
  Win32Form& operator=(const Win32Form&) = delete;

  // Runs the Load handler; call it once, before Show. False when the program
  // ended during Load (a run-time error, or Unload).
  bool Load();
  // Shows the window with the focus on the first control of the focus order.
  void Show();
  // Dispatches messages, with the keyboard's dialog navigation, until the
  // window ends; returns the exit code.
  int RunMessageLoop();

  bool ended() const { return ended_; }
  int exitCode() const { return exit_code_; }
  HWND window() const { return window_; }
  // The window built for a control, nullptr for a name the design lacks.
  HWND WindowOf(std::u16string_view name, std::optional<int> index = std::nullopt) const;
  HFONT FontOf(HWND control) const;
  UINT dpi() const { return dpi_; }

  forms::Control& control(std::u16string_view name) override;
  forms::Control& control(std::u16string_view name, int index) override;
  float Width() const override;
  float Height() const override;
  void SetLeft(float twips) override;
  void SetTop(float twips) override;
  float ScreenWidth() const override;
  float ScreenHeight() const override;
  const forms::AppInfo& App() const override { return app_; }
  void MsgBox(std::u16string_view text) override;
  void Unload() override;

 private:
  struct Built;
  struct CreateParameters;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void OnCreate();
  void OnCommand(WORD id, WORD code);
  LRESULT OnControlColour(HDC dc, HWND control, UINT message);
  void OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnEraseBackground(HDC dc);
  void OnPaint();
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnDestroy();

  void BuildControls();
  void Layout();
  // A control's window rectangle in the client area, at the window's DPI.
  RECT PlaceOf(const forms::ControlDesign& design) const;
  HFONT FontFor(const forms::Font& font);
  int ToPixels(double twips) const;
  float ToTwips(int pixels) const;
  const Built* Find(HWND control) const;
  forms::Control& Lookup(std::u16string_view name, std::optional<int> index);
  template <typename Handler>
  void Dispatch(Handler&& handler);
  void End(int exit_code);

  forms::FormDesign design_;
  forms::FormHandlers& handlers_;
  forms::AppInfo app_;
  MessageBoxFunction message_box_;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  Brush back_brush_;
  Picture picture_;
  std::vector<std::pair<forms::Font, Font>> fonts_;
  std::vector<std::unique_ptr<Built>> controls_;
  HWND focus_ = nullptr;
  HWND window_ = nullptr;
  bool ended_ = false;
  int exit_code_ = 0;
};

}  // namespace rt::win32
