// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/win32/win32_form.hpp"

#include <algorithm>
#include <exception>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "runtime/forms/font_height.hpp"
#include "runtime/win32/win32_window.hpp"

namespace rt::win32 {
namespace {

using detail::Wide;

// Above IDOK and IDCANCEL, which Enter and Escape send to a window that uses
// the dialog keys: the forms have no default or cancel button.
constexpr int kFirstControlId = 100;
constexpr double kTwipsPerInch = 1440;

bool IsButton(const detail::NativeControl* control) {
  return control != nullptr && control->design->kind == forms::ControlKind::kCommandButton;
}

}  // namespace

// What the window's creation carries to its first messages.
struct Win32Form::CreateParameters {
  Win32Form* form;
  std::exception_ptr* failure;
};

void ShowModalMessage(HWND owner, std::u16string_view caption, std::u16string_view text) {
  MessageBoxW(owner, Wide(std::u16string(text)), Wide(std::u16string(caption)), MB_OK);
}

Win32Form::Win32Form(const forms::FormDesign& design, forms::FormHandlers& handlers,
                     forms::AppInfo app, MessageBoxFunction message_box)
    : FormCore(design, handlers, std::move(app)), message_box_(std::move(message_box)) {
  detail::RegisterFormClass(WindowProc);
  std::exception_ptr failure;
  CreateParameters parameters{this, &failure};
  HWND created =
      CreateWindowExW(detail::kFormExStyle, detail::kFormClassName, Wide(this->design().caption),
                      detail::kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), &parameters);
  if (created == nullptr) {
    if (failure) {
      std::rethrow_exception(failure);
    }
    throw std::runtime_error("cannot create the window " + forms::DisplayName(design.name));
  }
}

Win32Form::~Win32Form() {
  if (window_ != nullptr) {
    Ended(0);
    DestroyWindow(window_);
  }
}

// Nothing may unwind through the system's frames: whatever a message's
// handling throws ends the program with its message.
LRESULT CALLBACK Win32Form::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  Win32Form* self = nullptr;
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    self = static_cast<CreateParameters*>(create->lpCreateParams)->form;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->window_ = window;
  } else {
    self = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) {
    return DefWindowProcW(window, message, wparam, lparam);
  }
  LRESULT result = 0;
  self->Dispatch([&] { result = self->HandleMessage(message, wparam, lparam); });
  return result;
}

LRESULT Win32Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      // A failure is kept for the constructor, and -1 makes CreateWindowExW
      // return null.
      try {
        OnCreate();
        return 0;
      } catch (...) {
        *static_cast<CreateParameters*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams)
             ->failure = std::current_exception();
        return -1;
      }
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (const auto* control = NativeOf(reinterpret_cast<HWND>(lparam))) {
        return reinterpret_cast<LRESULT>(
            detail::ControlColours(reinterpret_cast<HDC>(wparam), *control));
      }
      break;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      if (const auto* control = NativeOf(item.hwndItem)) {
        detail::DrawOwnerDrawn(item, *control, static_cast<int>(dpi_));
      }
      return TRUE;
    }
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(window_, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client,
               back_brush_ ? back_brush_.get() : GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_PAINT: {
      Painting painting(window_);
      Paint(painting.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ACTIVATE:
      // Keeps the focused control while another window is active.
      if (LOWORD(wparam) == WA_INACTIVE && IsChild(window_, GetFocus())) {
        focus_ = GetFocus();
      }
      break;
    case WM_SETFOCUS:
      if (focus_ != nullptr) {
        SetFocus(focus_);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_DESTROY:
      // Closed by the user or the system, unless the program ended first.
      Ended(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void Win32Form::OnCreate() {
  dpi_ = detail::DpiOf(window_);
  if (design().back_colour) {
    back_brush_.reset(CreateSolidBrush(detail::ToColorRef(*design().back_colour)));
  }
  if (design().icon) {
    detail::SetIcon(window_, *design().icon);
  }
  if (design().picture) {
    picture_ = LoadPicture(design().picture->image, dpi_);
  }
  // The dialog keys move the focus along the controls' z-order, which is
  // their creation order.
  BuildControls();
  if (const forms::ControlDesign* first = FirstFocus()) {
    focus_ = WindowOf(first->name, first->index);
  }
  Layout();
}

std::unique_ptr<forms::Control> Win32Form::BuildControl(const forms::ControlDesign& design) {
  auto id = kFirstControlId + static_cast<int>(&design - this->design().controls.data());
  natives_.push_back(detail::CreateControl(design, window_, id));
  return detail::ControlOf(natives_.back());
}

// Everything that depends on the DPI: the window's size, the controls'
// rectangles and the fonts. The old fonts go only once no control uses them.
void Win32Form::Layout() {
  std::vector<std::pair<FontKey, Font>> old_fonts = std::move(fonts_);
  fonts_.clear();
  const SIZE client{ToPixels(design().client_width), ToPixels(design().client_height)};
  RECT outer = detail::OuterRect(client.cx, client.cy, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Where the frame drawn differs from the one computed for the DPI (Wine
  // keeps its frame at the system DPI), the client area is made whole by the
  // difference.
  RECT actual{};
  GetClientRect(window_, &actual);
  if (actual.right != client.cx || actual.bottom != client.cy) {
    GetWindowRect(window_, &outer);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + client.cx - actual.right,
                 outer.bottom - outer.top + client.cy - actual.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const WindowDc dc(window_);
  for (auto& native : natives_) {
    const forms::ControlDesign& design = *native.design;
    const RECT rect = PixelRect(design);
    native.font = FontFor(dc.get(), design, rect.right - rect.left);
    detail::PlaceControl(native, rect, static_cast<int>(dpi_));
  }
  // Each control leaves uncovered the parts of it that the controls stacked
  // above it cover, whatever order the system paints them in.
  const auto stack = forms::StackingOrder(design());
  for (auto control = stack.begin(); control != stack.end(); ++control) {
    std::vector<RECT> above;
    for (auto later = std::next(control); later != stack.end(); ++later) {
      above.push_back(PixelRect(**later));
    }
    auto native = std::ranges::find(natives_, *control, &detail::NativeControl::design);
    detail::LeaveUncovered(native->window, PixelRect(**control), above);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

RECT Win32Form::PixelRect(const forms::ControlDesign& design) const {
  const int left = ToPixels(design.left);
  const int top = ToPixels(design.top);
  return {left, top, left + ToPixels(design.width), top + ToPixels(design.height)};
}

// A caption is drawn on one line at a whole pixel height: the designed one,
// or less where the caption would not fit its box (see FittingFontPixelHeight).
// A font made to measure a caption is kept for the caption that it fits.
HFONT Win32Form::FontFor(HDC dc, const forms::ControlDesign& design, int width) {
  const forms::Font& font = forms::FontOf(design);
  auto font_at = [this, &font](int height) {
    const FontKey key{font.family, font.bold, height};
    for (const auto& [made, handle] : fonts_) {
      if (made == key) {
        return handle.get();
      }
    }
    Font created(CreateFontW(-height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(font.family)));
    if (!created) {
      throw std::runtime_error("cannot create the font " + forms::DisplayName(font.family));
    }
    fonts_.emplace_back(key, std::move(created));
    return fonts_.back().second.get();
  };
  const int dpi = static_cast<int>(dpi_);
  const bool captioned = design.kind == forms::ControlKind::kLabel ||
                         design.kind == forms::ControlKind::kCommandButton;
  if (!captioned || design.text.empty()) {
    return font_at(forms::FontPixelHeight(font.points, dpi));
  }
  // The caption's room: inside a bordered label's border, as it is drawn.
  const int box = width - 2 * forms::TextInsetOf(design, dpi).left;
  return font_at(forms::FittingFontPixelHeight(font.points, dpi, box, [&](int candidate) {
    const Selected selected(dc, font_at(candidate));
    SIZE extent{};
    GetTextExtentPoint32W(dc, Wide(design.text), static_cast<int>(design.text.size()), &extent);
    return static_cast<int>(extent.cx);
  }));
}

int Win32Form::ToPixels(double twips) const {
  return forms::TwipsToPixels(twips, static_cast<int>(dpi_));
}

float Win32Form::ToTwips(int pixels) const {
  return static_cast<float>(pixels * kTwipsPerInch / dpi_);
}

const detail::NativeControl* Win32Form::NativeOf(HWND control) const {
  auto found = std::ranges::find(natives_, control, &detail::NativeControl::window);
  return found == natives_.end() ? nullptr : &*found;
}

// An owner-drawn button reports the second click of a double-click as
// BN_DOUBLECLICKED instead of BN_CLICKED; both are clicks.
void Win32Form::OnCommand(WORD id, WORD code) {
  if (id < kFirstControlId || (code != BN_CLICKED && code != BN_DOUBLECLICKED)) {
    return;
  }
  if (const auto* control = NativeOf(GetDlgItem(window_, id)); IsButton(control)) {
    Click(*control->design);
  }
}

// The lines and the picture: what the window draws beneath its controls.
void Win32Form::Paint(HDC dc) {
  for (const auto& line : design().lines) {
    int thickness = forms::ThicknessToPixels(line.width_pixels, static_cast<int>(dpi_));
    int half = thickness / 2;
    RECT rect{};
    if (line.y1 == line.y2) {
      rect = {ToPixels(std::min(line.x1, line.x2)), ToPixels(line.y1) - half,
              ToPixels(std::max(line.x1, line.x2)), ToPixels(line.y1) - half + thickness};
    } else {
      rect = {ToPixels(line.x1) - half, ToPixels(std::min(line.y1, line.y2)),
              ToPixels(line.x1) - half + thickness, ToPixels(std::max(line.y1, line.y2))};
    }
    FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWTEXT));
  }
  if (picture_.bitmap) {
    DrawPicture(dc, {ToPixels(design().picture->left), ToPixels(design().picture->top)}, dpi_,
                picture_);
  }
}

void Win32Form::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  if (design().picture) {
    picture_ = LoadPicture(design().picture->image, dpi_);
  }
  Layout();
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::Show() {
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  if (focus_ != nullptr) {
    SetFocus(focus_);
  }
}

bool Win32Form::TranslateDialogKey(MSG& message) {
  if (window_ == nullptr) {
    return false;
  }
  // The dialog keys click a focused standard button on Enter, but send an
  // owner-drawn one's Enter to the default button, which these windows lack.
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    if (const auto* control = NativeOf(GetFocus()); IsButton(control)) {
      Click(*control->design);
      return true;
    }
  }
  return IsDialogMessageW(window_, &message) != FALSE;
}

int Win32Form::RunMessageLoop() {
  MSG message{};
  while (!ended()) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      // Someone ended the thread's loop from outside: the window goes with it.
      End(got == 0 ? static_cast<int>(message.wParam) : forms::kRunTimeErrorExitCode);
      break;
    }
    if (!TranslateDialogKey(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return exit_code();
}

HWND Win32Form::WindowOf(std::u16string_view name, std::optional<int> index) const {
  const Built* found = Find(name, index);
  if (found == nullptr) {
    return nullptr;
  }
  auto native = std::ranges::find(natives_, found->design, &detail::NativeControl::design);
  return native == natives_.end() ? nullptr : native->window;
}

HFONT Win32Form::FontOf(HWND control) const {
  const auto* native = NativeOf(control);
  return native == nullptr ? nullptr : native->font;
}

float Win32Form::Width() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return ToTwips(rect.right - rect.left);
}

float Win32Form::Height() const {
  RECT rect{};
  GetWindowRect(window_, &rect);
  return ToTwips(rect.bottom - rect.top);
}

void Win32Form::SetLeft(float twips) {
  RECT rect{};
  GetWindowRect(window_, &rect);
  SetWindowPos(window_, nullptr, ToPixels(twips), rect.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::SetTop(float twips) {
  RECT rect{};
  GetWindowRect(window_, &rect);
  SetWindowPos(window_, nullptr, rect.left, ToPixels(twips), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The primary monitor's measures, as the designs' centring expects.
float Win32Form::ScreenWidth() const {
  return ToTwips(GetSystemMetrics(SM_CXSCREEN));
}

float Win32Form::ScreenHeight() const {
  return ToTwips(GetSystemMetrics(SM_CYSCREEN));
}

void Win32Form::ShowMessage(std::u16string_view caption, std::u16string_view text) {
  message_box_(window_ != nullptr && IsWindowVisible(window_) ? window_ : nullptr, caption, text);
}

void Win32Form::Close() {
  if (window_ != nullptr) {
    DestroyWindow(window_);
  }
}

}  // namespace rt::win32
