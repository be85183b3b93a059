// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// The behaviour suite's driver for the Win32 backend, under Wine's null
// graphics driver: controls are read through their windows and messages, and
// what the window draws itself is drawn into a bitmap and sampled there.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "backend_driver.hpp"
#include "runtime/win32/gdi_handles.hpp"
#include "runtime/win32/win32_form.hpp"

namespace testsupport {
namespace {

rt::forms::Rgb ToRgb(COLORREF colour) {
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

std::u16string TextOf(HWND window) {
  wchar_t text[256];
  return {reinterpret_cast<char16_t*>(text),
          static_cast<std::size_t>(GetWindowTextW(window, text, 256))};
}

// A bitmap of a control's size to draw it into, white or a colour of the
// caller's to start with.
struct Canvas {
  explicit Canvas(SIZE extent, COLORREF ground = RGB(255, 255, 255)) : size(extent) {
    RECT all{0, 0, extent.cx, extent.cy};
    const rt::win32::Brush brush(CreateSolidBrush(ground));
    FillRect(dc.get(), &all, brush.get());
  }
  COLORREF At(int x, int y) const { return GetPixel(dc.get(), x, y); }
  Image Seen() const {
    Image image{size.cx, size.cy, {}};
    for (int y = 0; y < size.cy; ++y) {
      for (int x = 0; x < size.cx; ++x) {
        image.pixels.push_back(ToRgb(At(x, y)));
      }
    }
    return image;
  }

  SIZE size;
  rt::win32::WindowDc screen{nullptr};
  rt::win32::MemoryDc dc{CreateCompatibleDC(screen.get())};
  rt::win32::Bitmap bitmap{CreateCompatibleBitmap(screen.get(), size.cx, size.cy)};
  rt::win32::Selected selected{dc.get(), bitmap.get()};
};

LONG_PTR StyleOf(HWND window) {
  return GetWindowLongPtrW(window, GWL_STYLE);
}

bool IsOwnerDrawn(HWND window) {
  wchar_t name[16];
  GetClassNameW(window, name, 16);
  const LONG_PTR style = StyleOf(window);
  return (lstrcmpiW(name, L"Button") == 0 && (style & BS_TYPEMASK) == BS_OWNERDRAW) ||
         (lstrcmpiW(name, L"Static") == 0 && (style & SS_TYPEMASK) == SS_OWNERDRAW);
}

// A control's client area drawn into `dc` as its window draws it: an
// owner-drawn one by the form, in `state`, the others by themselves.
void DrawControl(HWND form, HWND control, HDC dc, UINT state) {
  RECT client{};
  GetClientRect(control, &client);
  if (IsOwnerDrawn(control)) {
    DRAWITEMSTRUCT item{.CtlType = 0,
                        .CtlID = static_cast<UINT>(GetDlgCtrlID(control)),
                        .itemAction = ODA_DRAWENTIRE,
                        .itemState = state,
                        .hwndItem = control,
                        .hDC = dc,
                        .rcItem = client};
    SendMessageW(form, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  } else {
    SendMessageW(control, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

constexpr COLORREF kNothing = RGB(1, 2, 3);

// A control's whole window drawn alone, as the system has it drawn: its
// client area, and a standard control's edge, on kNothing where it draws
// nothing. The system keeps a standard control within its window region; an
// owner-drawn one, whose class draws with its parent's clipping, must keep
// itself there.
Image DrawAlone(HWND form, HWND control, UINT state) {
  RECT window{};
  GetWindowRect(control, &window);
  POINT client{0, 0};
  ClientToScreen(control, &client);
  Canvas canvas({window.right - window.left, window.bottom - window.top}, kNothing);
  HDC dc = canvas.dc.get();
  const int saved = SaveDC(dc);  // the clipping and origin, which the pixels are read without
  const rt::win32::Region region(CreateRectRgn(0, 0, 0, 0));
  if (!IsOwnerDrawn(control) && GetWindowRgn(control, region.get()) > NULLREGION) {
    SelectClipRgn(dc, region.get());
  }
  if ((GetWindowLongPtrW(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0) {
    RECT edge{0, 0, canvas.size.cx, canvas.size.cy};
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  }
  SetViewportOrgEx(dc, client.x - window.left, client.y - window.top, nullptr);
  DrawControl(form, control, dc, state);
  RestoreDC(dc, saved);
  return canvas.Seen();
}

// Watches for the next dialog this thread activates, reads it and clicks OK.
SeenMessageBox* watched = nullptr;
HHOOK hook = nullptr;

LRESULT CALLBACK Watch(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE && watched != nullptr) {
    auto box = reinterpret_cast<HWND>(wparam);
    auto& [caption, text, buttons, ok, icon] = *watched;
    caption = TextOf(box);
    text = TextOf(GetDlgItem(box, 0xFFFF));
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[16];
      GetClassNameW(child, name, 16);
      // Its own style: the box itself is not visible yet.
      const bool visible = (StyleOf(child) & WS_VISIBLE) != 0;
      if (lstrcmpiW(name, L"Button") == 0 && visible) {
        ++buttons;
        ok = GetDlgCtrlID(child) == IDOK;
      } else if (lstrcmpiW(name, L"Static") == 0 && visible &&
                 (StyleOf(child) & SS_TYPEMASK) == SS_ICON &&
                 SendMessageW(child, STM_GETICON, 0, 0) != 0) {
        icon = true;
      }
    }
    watched = nullptr;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

VOID CALLBACK EndLoop(HWND /*window*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
  KillTimer(nullptr, timer);
  PostQuitMessage(0);
}

class Win32Driver final : public BackendDriver {
 public:
  // Wine's null graphics driver has one 1024 by 768 screen.
  Win32Driver() {
    dpis = {96, 144, 192};
    screen = {0, 0, 1024, 768};
    standard_face = ToRgb(GetSysColor(COLOR_BTNFACE));
  }
  void Open(const rt::forms::FormDesign& design, rt::forms::FormHandlers& handlers,
            const rt::forms::AppInfo& app) override {
    form_.reset();
    form_ = std::make_unique<rt::win32::Win32Form>(design, handlers, app, Sink());
  }
  rt::forms::FormCore& form() override { return *form_; }
  void Show() override { form_->Show(); }
  // A window that does show ends its loop as soon as the loop runs.
  int RunProgram(const rt::forms::FormDesign& design, rt::forms::FormHandlers& handlers,
                 const rt::forms::AppInfo& app) override {
    form_.reset();  // so that any owner of a message box is the program's window
    const UINT_PTR closer = SetTimer(nullptr, 0, 0, EndLoop);
    const int exit_code = rt::win32::RunProgram(design, handlers, app, Sink());
    KillTimer(nullptr, closer);
    return exit_code;
  }

  int UseDpi(int dpi) override {
    RECT suggested{0, 0, 100, 100};
    SendMessageW(form_->window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    return static_cast<int>(form_->dpi());
  }
  PixelRect WindowRect(bool outer) override {
    RECT rect{};
    (outer ? GetWindowRect : GetClientRect)(form_->window(), &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  }
  // Owner-drawn controls are drawn by the window, with some ink to find for
  // the alignment; a standard button draws its own face, from the brush its
  // window gives it. Colours are sampled near the bottom left corner, clear
  // of the caption and of the edges, which are up to four pixels deep.
  SeenControl See(const ControlRef& control) override {
    HWND window = form_->WindowOf(control.name, control.index);
    SeenControl seen;
    RECT rect{};
    GetWindowRect(window, &rect);
    const LONG top = rect.top;
    const LONG outer_left = rect.left;
    MapWindowPoints(nullptr, form_->window(), reinterpret_cast<POINT*>(&rect), 2);
    seen.geometry = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    LOGFONTW font{};
    GetObjectW(form_->FontOf(window), sizeof(font), &font);
    seen.font = {reinterpret_cast<const char16_t*>(font.lfFaceName),
                 static_cast<int>(-font.lfHeight), font.lfWeight >= FW_BOLD};
    seen.read_aloud = TextOf(window);
    seen.named_by = TextOf(GetWindow(window, GW_HWNDPREV));  // the label created just before it
    seen.focused = GetFocus() == window;
    wchar_t name[16];
    GetClassNameW(window, name, 16);
    const LONG_PTR style = StyleOf(window);
    const bool owner_drawn = IsOwnerDrawn(window);
    RECT client{};
    GetClientRect(window, &client);
    auto canvas = std::make_unique<Canvas>(SIZE{client.right, client.bottom});
    if (owner_drawn) {
      SetWindowTextW(window, L"Wg");
    }
    DrawControl(form_->window(), window, canvas->dc.get(), 0);
    if (owner_drawn) {
      SetWindowTextW(window, reinterpret_cast<const wchar_t*>(seen.read_aloud.c_str()));
    }
    seen.fore = ToRgb(GetTextColor(canvas->dc.get()));
    if (owner_drawn) {
      seen.back = ToRgb(canvas->At(5, canvas->size.cy - 5));
      // Inside a label's border.
      const rt::forms::TextInset inset =
          rt::forms::TextInsetOf(Design(control), static_cast<int>(form_->dpi()));
      std::vector<int> inked;
      for (int x = inset.left; x < canvas->size.cx - inset.left; ++x) {
        for (int y = inset.top; y < canvas->size.cy - inset.top; ++y) {
          if (canvas->At(x, y) != canvas->At(inset.left, inset.top)) {
            inked.push_back(x);
            break;
          }
        }
      }
      const int left = inked.empty() ? 0 : inked.front() - inset.left;
      const int right = inked.empty() ? 0 : canvas->size.cx - inset.left - 1 - inked.back();
      seen.alignment = std::abs(left - right) <= 2 ? rt::forms::Alignment::kCenter
                       : left < right              ? rt::forms::Alignment::kLeft
                                                   : rt::forms::Alignment::kRight;
    } else {
      auto brush = reinterpret_cast<HBRUSH>(SendMessageW(form_->window(), WM_CTLCOLORBTN,
                                                         reinterpret_cast<WPARAM>(canvas->dc.get()),
                                                         reinterpret_cast<LPARAM>(window)));
      LOGBRUSH seen_brush{};
      GetObjectW(brush, sizeof(seen_brush), &seen_brush);
      seen.back = ToRgb(seen_brush.lbColor);
      seen.alignment = (style & ES_CENTER) != 0  ? rt::forms::Alignment::kCenter
                       : (style & ES_RIGHT) != 0 ? rt::forms::Alignment::kRight
                                                 : rt::forms::Alignment::kLeft;
    }
    if (Design(control).kind == rt::forms::ControlKind::kLabel ||
        Design(control).kind == rt::forms::ControlKind::kCommandButton) {
      const rt::win32::Selected font_in(canvas->dc.get(), form_->FontOf(window));
      SIZE extent{};
      const std::u16string& text = seen.read_aloud;
      GetTextExtentPoint32W(canvas->dc.get(), reinterpret_cast<const wchar_t*>(text.c_str()),
                            static_cast<int>(text.size()), &extent);
      // The caption is drawn centred inside a border and cut at its edges:
      // one pixel more than the room loses at most half a pixel at each end.
      const int border =
          rt::forms::TextInsetOf(Design(control), static_cast<int>(form_->dpi())).left;
      seen.caption = {static_cast<double>(extent.cx), static_cast<double>(extent.cy),
                      client.right - 2 * border + 1.0, static_cast<double>(client.bottom)};
    }
    seen.takes_typing = lstrcmpiW(name, L"ComboBox") == 0
                            ? (style & 3) != CBS_DROPDOWNLIST
                            : lstrcmpiW(name, L"Edit") == 0 && (style & ES_READONLY) == 0;
    const auto position = static_cast<DWORD>(SendMessageW(window, EM_POSFROMCHAR, 0, 0));
    POINT first{static_cast<SHORT>(LOWORD(position)), static_cast<SHORT>(HIWORD(position))};
    ClientToScreen(window, &first);
    seen.text_top = first.y - top;
    seen.text_left = first.x - outer_left;
    return seen;
  }
  // The window paints itself, its lines and its picture, and then each
  // control over it, the top of the z-order first, so that what a control
  // draws where a control above it is shows.
  Image WindowImage() override {
    HWND form = form_->window();
    RECT client{};
    GetClientRect(form, &client);
    Canvas canvas({client.right, client.bottom});
    SendMessageW(form, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc.get()), 0);
    SendMessageW(form, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc.get()), PRF_CLIENT);
    Image image = canvas.Seen();
    for (HWND child = GetWindow(form, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      RECT place{};
      GetWindowRect(child, &place);
      POINT at{place.left, place.top};
      ScreenToClient(form, &at);
      const Image alone = DrawAlone(form, child, GetFocus() == child ? ODS_FOCUS : 0);
      for (int y = 0; y < alone.height && at.y + y < image.height; ++y) {
        for (int x = 0; x < alone.width && at.x + x < image.width; ++x) {
          if (alone.At(x, y) != ToRgb(kNothing)) {
            image.pixels.begin()[std::ptrdiff_t{at.y + y} * image.width + at.x + x] =
                alone.At(x, y);
          }
        }
      }
    }
    return image;
  }
  Image ControlImage(const ControlRef& control) override {
    return DrawAlone(form_->window(), form_->WindowOf(control.name, control.index), 0);
  }
  int PictureDensity() override { return form_->picture().scale; }
  // As the program reads it from its resources, drawn at its own size.
  Image SourceImage(const rt::forms::ImageRef& image, int density) override {
    const auto dpi = static_cast<UINT>(density * 96);
    const rt::win32::Picture picture = rt::win32::LoadPicture(image, dpi);
    Canvas canvas(picture.size);
    rt::win32::DrawPicture(canvas.dc.get(), {0, 0}, dpi, picture);
    return canvas.Seen();
  }

  void Press(Key key) override {
    BYTE keys[256]{};
    keys[VK_SHIFT] = key == Key::kShiftTab ? 0x80 : 0;
    SetKeyboardState(keys);
    const WPARAM codes[] = {VK_TAB, VK_TAB, VK_RETURN, VK_SPACE, VK_ESCAPE};
    for (UINT message : {UINT{WM_KEYDOWN}, UINT{WM_KEYUP}}) {
      MSG sent{GetFocus(), message, codes[static_cast<int>(key)], 0, 0, {}};
      if (form_->window() != nullptr && !form_->TranslateDialogKey(sent)) {
        DispatchMessageW(&sent);
      }
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
  void Click(const ControlRef& control) override {
    SendMessageW(form_->WindowOf(control.name, control.index), BM_CLICK, 0, 0);
  }
  void DoubleClick(const ControlRef& control) override {
    for (UINT message :
         {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONUP}, UINT{WM_LBUTTONDBLCLK}, UINT{WM_LBUTTONUP}}) {
      SendMessageW(form_->WindowOf(control.name, control.index), message,
                   message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(4, 4));
    }
  }

  SeenMessageBox ShowRealMessageBox(const std::u16string& caption,
                                    const std::u16string& text) override {
    SeenMessageBox seen;
    watched = &seen;
    hook = SetWindowsHookExW(WH_CBT, Watch, nullptr, GetCurrentThreadId());
    rt::win32::ShowModalMessage(nullptr, caption, text);
    UnhookWindowsHookEx(hook);
    watched = nullptr;
    return seen;
  }

 private:
  const rt::forms::ControlDesign& Design(const ControlRef& control) const {
    return *std::ranges::find_if(form_->design().controls, [&](const auto& each) {
      return control.Is(each.name, each.index);
    });
  }
  rt::win32::MessageBoxFunction Sink() {
    return [this](HWND owner, std::u16string_view caption, std::u16string_view text) {
      messages += std::u16string(caption) + u": " + std::u16string(text);
      owned = owner != nullptr && (form_ == nullptr || owner == form_->window());
    };
  }

  std::unique_ptr<rt::win32::Win32Form> form_;
};

}  // namespace

std::unique_ptr<BackendDriver> MakeDriver() {
  return std::make_unique<Win32Driver>();
}

}  // namespace testsupport
