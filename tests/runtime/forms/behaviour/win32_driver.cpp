// The behaviour suite's driver for the Win32 backend, under Wine's null
// graphics driver: controls are read through their windows and messages, and
// what the window draws itself is drawn into a bitmap and sampled there.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <stdexcept>

#include "backend_driver.hpp"
#include "runtime/win32/gdi_handles.hpp"
#include "runtime/win32/win32_form.hpp"

namespace testsupport {
namespace {

using rt::win32::Selected;

rt::forms::Rgb ToRgb(COLORREF colour) {
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

std::u16string TextOf(HWND window) {
  wchar_t text[256];
  return {reinterpret_cast<char16_t*>(text),
          static_cast<std::size_t>(GetWindowTextW(window, text, 256))};
}

// A bitmap of a control's size to draw it into, white to start with.
class Canvas {
 public:
  explicit Canvas(SIZE size)
      : screen_(nullptr),
        dc_(CreateCompatibleDC(screen_.get())),
        bitmap_(CreateCompatibleBitmap(screen_.get(), size.cx, size.cy)),
        selected_(dc_.get(), bitmap_.get()),
        size_(size) {
    RECT all{0, 0, size.cx, size.cy};
    FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  HDC dc() const { return dc_.get(); }
  SIZE size() const { return size_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }

 private:
  rt::win32::WindowDc screen_;
  rt::win32::MemoryDc dc_;
  rt::win32::Bitmap bitmap_;
  Selected selected_;
  SIZE size_;
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

// Watches for the next dialog this thread activates, reads it and clicks OK.
SeenMessageBox* watched = nullptr;
HHOOK hook = nullptr;

LRESULT CALLBACK Watch(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE && watched != nullptr) {
    auto box = reinterpret_cast<HWND>(wparam);
    watched->caption = TextOf(box);
    watched->text = TextOf(GetDlgItem(box, 0xFFFF));
    watched->icon = false;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[16];
      GetClassNameW(child, name, 16);
      // Its own style: the box itself is not visible yet.
      const bool visible = (StyleOf(child) & WS_VISIBLE) != 0;
      if (lstrcmpiW(name, L"Button") == 0 && visible) {
        ++watched->buttons;
        watched->ok = GetDlgCtrlID(child) == IDOK;
      } else if (lstrcmpiW(name, L"Static") == 0 && visible &&
                 (StyleOf(child) & SS_TYPEMASK) == SS_ICON &&
                 SendMessageW(child, STM_GETICON, 0, 0) != 0) {
        watched->icon = true;
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
    const UINT_PTR closer = SetTimer(nullptr, 0, 0, EndLoop);
    const int exit_code = rt::win32::RunProgram(design, handlers, app, Sink());
    KillTimer(nullptr, closer);
    return exit_code;
  }

  std::vector<int> Dpis() override { return {96, 144}; }
  void UseDpi(int dpi) override {
    RECT suggested{0, 0, 100, 100};
    SendMessageW(form_->window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  }
  int LayoutDpi() override { return static_cast<int>(form_->dpi()); }

  PixelRect ClientArea() override {
    RECT rect{};
    GetClientRect(form_->window(), &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
  }
  PixelRect OuterFrame() override {
    RECT rect{};
    GetWindowRect(form_->window(), &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  }
  // Wine's null graphics driver has one 1024 by 768 screen.
  PixelRect KnownScreen() override { return {0, 0, 1024, 768}; }
  PixelRect Geometry(const ControlRef& control) override {
    RECT rect{};
    GetWindowRect(Window(control), &rect);
    MapWindowPoints(nullptr, form_->window(), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
  }
  SeenFont FontOf(const ControlRef& control) override {
    LOGFONTW font{};
    GetObjectW(form_->FontOf(Window(control)), sizeof(font), &font);
    return {reinterpret_cast<const char16_t*>(font.lfFaceName), static_cast<int>(-font.lfHeight),
            font.lfWeight >= FW_BOLD};
  }
  std::u16string StandIn(const std::u16string& family) override { return family; }

  // Sampled near the bottom left corner, clear of the caption and of the
  // edges, which are up to four pixels deep.
  // A standard button draws its own face, from the brush its window gives it.
  rt::forms::Rgb BackColour(const ControlRef& control) override {
    HWND window = Window(control);
    if (!IsOwnerDrawn(window)) {
      Canvas canvas({8, 8});
      auto brush = reinterpret_cast<HBRUSH>(SendMessageW(form_->window(), WM_CTLCOLORBTN,
                                                         reinterpret_cast<WPARAM>(canvas.dc()),
                                                         reinterpret_cast<LPARAM>(window)));
      LOGBRUSH seen{};
      GetObjectW(brush, sizeof(seen), &seen);
      return ToRgb(seen.lbColor);
    }
    auto canvas = Draw(window);
    return ToRgb(canvas->At(5, canvas->size().cy - 5));
  }
  rt::forms::Rgb ForeColour(const ControlRef& control) override {
    auto canvas = Draw(Window(control));
    return ToRgb(GetTextColor(canvas->dc()));
  }
  rt::forms::Rgb WindowColour() override {
    Canvas canvas({8, 8});
    SendMessageW(form_->window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    return ToRgb(canvas.At(4, 4));
  }
  rt::forms::Rgb StandardFace() override { return ToRgb(GetSysColor(COLOR_BTNFACE)); }

  // A label's alignment is where its caption's ink sits.
  rt::forms::Alignment AlignmentOf(const ControlRef& control) override {
    HWND window = Window(control);
    const LONG_PTR style = StyleOf(window);
    if (!IsOwnerDrawn(window)) {
      return (style & ES_CENTER) != 0  ? rt::forms::Alignment::kCenter
             : (style & ES_RIGHT) != 0 ? rt::forms::Alignment::kRight
                                       : rt::forms::Alignment::kLeft;
    }
    // Some ink to find, the caption as it was afterwards.
    const std::u16string caption = TextOf(window);
    SetWindowTextW(window, L"Wg");
    auto canvas = Draw(window);
    SetWindowTextW(window, reinterpret_cast<const wchar_t*>(caption.c_str()));
    const COLORREF back = canvas->At(0, 0);
    int first = -1;
    int last = -1;
    for (int x = 0; x < canvas->size().cx; ++x) {
      for (int y = 0; y < canvas->size().cy; ++y) {
        if (canvas->At(x, y) != back) {
          first = first < 0 ? x : first;
          last = x;
          break;
        }
      }
    }
    const int left = first;
    const int right = canvas->size().cx - 1 - last;
    return std::abs(left - right) <= 2 ? rt::forms::Alignment::kCenter
           : left < right              ? rt::forms::Alignment::kLeft
                                       : rt::forms::Alignment::kRight;
  }
  int TextTop(const ControlRef& control) override {
    HWND edit = Window(control);
    const auto position = static_cast<DWORD>(SendMessageW(edit, EM_POSFROMCHAR, 0, 0));
    POINT first{0, static_cast<SHORT>(HIWORD(position))};
    ClientToScreen(edit, &first);
    RECT outer{};
    GetWindowRect(edit, &outer);
    return first.y - outer.top;
  }
  bool HasBorder(const ControlRef& control) override {
    return (StyleOf(Window(control)) & WS_BORDER) != 0;
  }
  std::u16string Shows(const ControlRef& control) override { return TextOf(Window(control)); }
  // The label created just before it.
  std::u16string NamedBy(const ControlRef& control) override {
    return TextOf(GetWindow(Window(control), GW_HWNDPREV));
  }
  bool TakesTyping(const ControlRef& control) override {
    HWND window = Window(control);
    wchar_t name[16];
    GetClassNameW(window, name, 16);
    const LONG_PTR style = StyleOf(window);
    if (lstrcmpiW(name, L"ComboBox") == 0) {
      return (style & 3) != CBS_DROPDOWNLIST;
    }
    return lstrcmpiW(name, L"Edit") == 0 && (style & ES_READONLY) == 0;
  }
  // The window paints itself into the bitmap, its lines and its picture.
  rt::forms::Rgb WindowPixel(int x, int y) override {
    RECT client{};
    GetClientRect(form_->window(), &client);
    Canvas canvas({client.right, client.bottom});
    SendMessageW(form_->window(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0);
    SendMessageW(form_->window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()),
                 PRF_CLIENT);
    return ToRgb(canvas.At(x, y));
  }
  // A static control's accessible name is its window text, with the
  // platform's own accessibility objects (Wine's oleacc gives none here).
  std::u16string ReadAloud(const ControlRef& control) override { return TextOf(Window(control)); }

  std::optional<ControlRef> Focused() override {
    for (const auto& control : form_->design().controls) {
      if (form_->WindowOf(control.name, control.index) == GetFocus()) {
        return ControlRef{control.name, control.index};
      }
    }
    return std::nullopt;
  }
  void Press(Key key) override {
    BYTE keys[256]{};
    keys[VK_SHIFT] = key == Key::kShiftTab ? 0x80 : 0;
    SetKeyboardState(keys);
    const WPARAM code = key == Key::kEnter    ? VK_RETURN
                        : key == Key::kSpace  ? VK_SPACE
                        : key == Key::kEscape ? VK_ESCAPE
                                              : VK_TAB;
    for (UINT message : {UINT{WM_KEYDOWN}, UINT{WM_KEYUP}}) {
      if (form_->window() == nullptr) {
        break;
      }
      MSG sent{GetFocus(), message, code, 0, 0, {}};
      if (!form_->TranslateDialogKey(sent)) {
        DispatchMessageW(&sent);
      }
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
  void Click(const ControlRef& control) override { SendMessageW(Window(control), BM_CLICK, 0, 0); }
  void DoubleClick(const ControlRef& control) override {
    HWND button = Window(control);
    const LPARAM at = MAKELPARAM(4, 4);
    for (UINT message :
         {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONUP}, UINT{WM_LBUTTONDBLCLK}, UINT{WM_LBUTTONUP}}) {
      SendMessageW(button, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
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
  HWND Window(const ControlRef& control) const {
    HWND window = form_->WindowOf(control.name, control.index);
    if (window == nullptr) {
      throw std::out_of_range("the window has no " +
                              rt::forms::DisplayName(control.name, control.index));
    }
    return window;
  }
  // The control as it is drawn: by the window for the owner-drawn ones, by
  // itself for the others, given the DC to paint in.
  std::unique_ptr<Canvas> Draw(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    auto canvas = std::make_unique<Canvas>(SIZE{client.right, client.bottom});
    if (IsOwnerDrawn(control)) {
      DRAWITEMSTRUCT item{.CtlType = 0,
                          .CtlID = static_cast<UINT>(GetDlgCtrlID(control)),
                          .itemAction = ODA_DRAWENTIRE,
                          .hwndItem = control,
                          .hDC = canvas->dc(),
                          .rcItem = client};
      SendMessageW(form_->window(), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    } else {
      SendMessageW(control, WM_PAINT, reinterpret_cast<WPARAM>(canvas->dc()), 0);
    }
    return canvas;
  }
  rt::win32::MessageBoxFunction Sink() {
    return [this](HWND owner, std::u16string_view caption, std::u16string_view text) {
      messages += std::u16string(caption) + u": " + std::u16string(text);
      owned = owner != nullptr && form_ != nullptr && owner == form_->window();
    };
  }

  std::unique_ptr<rt::win32::Win32Form> form_;
};

}  // namespace

std::unique_ptr<BackendDriver> MakeDriver() {
  return std::make_unique<Win32Driver>();
}

}  // namespace testsupport
