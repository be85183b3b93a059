#include "runtime/win32/win32_form.hpp"

#include <algorithm>
#include <cmath>
#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

#include "runtime/core/ansi_codec.hpp"
#include "runtime/core/run_time_error.hpp"
#include "runtime/win32/dll_function.hpp"

namespace rt::win32 {
namespace {

constexpr wchar_t kClassName[] = L"RtWin32Form";
// Above IDOK and IDCANCEL, which Enter and Escape send to a window that uses
// the dialog keys: the forms have no default or cancel button.
constexpr int kFirstControlId = 100;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;
constexpr double kTwipsPerInch = 1440;
constexpr double kPointsPerInch = 72;

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string WindowText(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

COLORREF ToColorRef(forms::Rgb colour) {
  return RGB(colour.red, colour.green, colour.blue);
}

[[noreturn]] void NotAList() {
  throw std::logic_error("only a drop-down list has a list index");
}

// A label's or button's Caption, or a text box's Text: the window text of each.
class TextControl final : public forms::Control {
 public:
  explicit TextControl(HWND window) : window_(window) {}
  std::u16string Text() const override { return WindowText(window_); }
  void SetText(std::u16string_view text) override {
    SetWindowTextW(window_, Wide(std::u16string(text)));
  }
  int ListIndex() const override { NotAList(); }
  void SetListIndex(int) override { NotAList(); }

 private:
  HWND window_;
};

class ListControl final : public forms::Control {
 public:
  explicit ListControl(HWND list) : list_(list) {}
  std::u16string Text() const override {
    LRESULT index = SendMessageW(list_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
      return {};
    }
    auto item = static_cast<WPARAM>(index);
    LRESULT length = SendMessageW(list_, CB_GETLBTEXTLEN, item, 0);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    LRESULT copied = SendMessageW(list_, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    return text;
  }
  void SetText(std::u16string_view) override {
    throw std::logic_error("a drop-down list's text is its selected entry");
  }
  int ListIndex() const override {
    return static_cast<int>(SendMessageW(list_, CB_GETCURSEL, 0, 0));
  }
  void SetListIndex(int index) override {
    if (index < -1 || index >= SendMessageW(list_, CB_GETCOUNT, 0, 0)) {
      throw std::out_of_range("no such entry in the drop-down list");
    }
    SendMessageW(list_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }

 private:
  HWND list_;
};

// A device context borrowed from a window (the whole screen for none).
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context until the end of the scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, previous_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

class Painting {
 public:
  explicit Painting(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~Painting() { EndPaint(window_, &paint_); }
  Painting(const Painting&) = delete;
  Painting& operator=(const Painting&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

struct MemoryDcDelete {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDelete>;

// Windows 10's per-DPI functions, bound by name so that the programs still
// start where user32 lacks them; there the system DPI serves.
UINT DpiOf(HWND window) {
  static DllFunction<UINT(WINAPI*)(HWND)> get_dpi(u"user32.dll", "GetDpiForWindow");
  if (auto function = get_dpi.Find()) {
    if (UINT dpi = function(window); dpi != 0) {
      return dpi;
    }
  }
  WindowDc screen(nullptr);
  return static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSY));
}

RECT OuterRect(int client_width, int client_height, UINT dpi) {
  static DllFunction<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)> adjust(
      u"user32.dll", "AdjustWindowRectExForDpi");
  RECT rect{0, 0, client_width, client_height};
  if (auto function = adjust.Find()) {
    function(&rect, kStyle, FALSE, kExStyle, dpi);
  } else {
    AdjustWindowRectEx(&rect, kStyle, FALSE, kExStyle);
  }
  return rect;
}

// A closed drop-down list is as high as its selection field: the item height
// set for the field plus a frame, measured once an item height has been set
// (the height the list picks for itself may be measured differently).
void FitSelectionField(HWND list, int height) {
  LRESULT item = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
  RECT field{};
  GetWindowRect(list, &field);
  LRESULT frame = (field.bottom - field.top) - item;
  SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
               std::max<LRESULT>(height - frame, 1));
}

// Whether a child window already has this rectangle in its parent's client
// area: moving it there again would cost Wine a round of messages and server
// requests for nothing.
bool IsAt(HWND child, const RECT& place) {
  RECT now{};
  GetWindowRect(child, &now);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&now), 2);
  return EqualRect(&now, &place) != FALSE;
}

HINSTANCE Instance() {
  return GetModuleHandleW(nullptr);
}

struct Styled {
  const wchar_t* window_class;
  DWORD style;
  DWORD ex_style;
};

UINT TextAlignment(forms::Alignment alignment) {
  switch (alignment) {
    case forms::Alignment::kCenter:
      return DT_CENTER;
    case forms::Alignment::kRight:
      return DT_RIGHT;
    case forms::Alignment::kLeft:
      break;
  }
  return DT_LEFT;
}

Styled StyleOf(const forms::ControlDesign& design) {
  DWORD common = WS_CHILD | WS_VISIBLE | (design.tab_index ? WS_TABSTOP : 0);
  bool centre = design.alignment == forms::Alignment::kCenter;
  bool right = design.alignment == forms::Alignment::kRight;
  switch (design.kind) {
    case forms::ControlKind::kLabel:
      // Drawn by the window on one line, as designed: a static control would
      // wrap a caption that a stand-in font makes a pixel too wide.
      return {L"STATIC", common | SS_OWNERDRAW | (design.border ? WS_BORDER : 0), 0};
    case forms::ControlKind::kTextBox:
      return {L"EDIT",
              common | ES_AUTOHSCROLL |
                  (centre  ? ES_CENTER
                   : right ? ES_RIGHT
                           : ES_LEFT),
              WS_EX_CLIENTEDGE};
    case forms::ControlKind::kCommandButton:
      return {L"BUTTON", common | (design.graphical ? BS_OWNERDRAW : BS_PUSHBUTTON), 0};
    case forms::ControlKind::kDropDownList:
      return {L"COMBOBOX", common | CBS_DROPDOWNLIST | WS_VSCROLL, 0};
  }
  throw std::invalid_argument("unknown control kind");
}

bool NeedsLabel(const forms::ControlDesign& design) {
  return design.kind == forms::ControlKind::kTextBox ||
         design.kind == forms::ControlKind::kDropDownList;
}

// The label that names a text box or list: the one whose buddy it is, else
// the one whose caption holds its accessible name.
const forms::ControlDesign* NamingLabel(const forms::FormDesign& design,
                                        const forms::ControlDesign& control) {
  for (const auto& label : design.controls) {
    if (label.kind == forms::ControlKind::kLabel && !label.buddy.empty() &&
        label.buddy == control.name) {
      return &label;
    }
  }
  if (control.accessible_name.empty()) {
    return nullptr;
  }
  for (const auto& label : design.controls) {
    if (label.kind == forms::ControlKind::kLabel &&
        label.text.find(control.accessible_name) != std::u16string::npos) {
      return &label;
    }
  }
  return nullptr;
}

// The dialog keys move the focus along the controls' z-order, which is their
// creation order, and screen readers name a text box or list by the label
// created just before it. So the controls that take the focus come first, in
// focus order, each after its label; the others follow as designed.
std::vector<const forms::ControlDesign*> CreationOrder(const forms::FormDesign& design) {
  std::vector<const forms::ControlDesign*> stops;
  for (const auto& control : design.controls) {
    if (control.tab_index) {
      stops.push_back(&control);
    }
  }
  std::ranges::stable_sort(stops, {}, [](const auto* control) { return *control->tab_index; });
  std::vector<const forms::ControlDesign*> order;
  auto add = [&order](const forms::ControlDesign* control) {
    if (std::ranges::find(order, control) == order.end()) {
      order.push_back(control);
    }
  };
  for (const auto* stop : stops) {
    if (NeedsLabel(*stop)) {
      if (const auto* label = NamingLabel(design, *stop)) {
        add(label);
      }
    }
    add(stop);
  }
  for (const auto& control : design.controls) {
    add(&control);
  }
  return order;
}

std::u16string ControlName(const forms::ControlDesign& design) {
  return design.index ? design.name + u"(" + AsciiToUtf16(std::to_string(*design.index)) + u")"
                      : design.name;
}

void RegisterWindowClass(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = Instance();
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class);
  }();
  if (atom == 0) {
    throw std::runtime_error("cannot register the window class");
  }
}

Picture LoadPicture(const forms::ImageRef& image) {
  HRSRC found = FindResourceW(Instance(), Wide(image.resource), MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(Instance(), found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) {
    throw std::runtime_error("the program has no picture named " + ToAnsi(image.resource));
  }
  return DecodeImage({static_cast<const std::byte*>(bytes), SizeofResource(Instance(), found)});
}

void SetIcon(HWND window, const forms::ImageRef& image) {
  for (auto [which, width, height] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                      std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
    // Shared icons belong to the system, which frees them.
    HANDLE icon = LoadImageW(Instance(), Wide(image.resource), IMAGE_ICON, GetSystemMetrics(width),
                             GetSystemMetrics(height), LR_SHARED);
    if (icon != nullptr) {
      SendMessageW(window, WM_SETICON, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(icon));
    }
  }
}

}  // namespace

// What the window's creation carries to its first messages.
struct Win32Form::CreateParameters {
  Win32Form* form;
  std::exception_ptr* failure;
};

struct Win32Form::Built {
  const forms::ControlDesign* design = nullptr;
  HWND window = nullptr;
  std::unique_ptr<forms::Control> control;
  Brush back;  // the design's background or face colour
  HFONT font = nullptr;
};

void ShowModalMessage(HWND owner, std::u16string_view caption, std::u16string_view text) {
  MessageBoxW(owner, Wide(std::u16string(text)), Wide(std::u16string(caption)), MB_OK);
}

Win32Form::Win32Form(const forms::FormDesign& design, forms::FormHandlers& handlers,
                     forms::AppInfo app, MessageBoxFunction message_box)
    : design_(design),
      handlers_(handlers),
      app_(std::move(app)),
      message_box_(std::move(message_box)) {
  forms::CheckDesign(design_, handlers_);
  RegisterWindowClass(WindowProc);
  std::exception_ptr failure;
  CreateParameters parameters{this, &failure};
  // Made at its size for the default DPI, which the layout keeps unless the
  // window's own DPI differs.
  RECT outer = OuterRect(ToPixels(design_.client_width), ToPixels(design_.client_height), dpi_);
  HWND created = CreateWindowExW(kExStyle, kClassName, Wide(design_.caption), kStyle, CW_USEDEFAULT,
                                 CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                                 nullptr, nullptr, Instance(), &parameters);
  if (created == nullptr) {
    if (failure) {
      std::rethrow_exception(failure);
    }
    throw std::runtime_error("cannot create the window " + ToAnsi(design_.name));
  }
}

Win32Form::~Win32Form() {
  if (window_ != nullptr) {
    ended_ = true;
    DestroyWindow(window_);
  }
}

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
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT Win32Form::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      // Nothing may unwind through the system's frames: a failure is kept for
      // the constructor, and -1 makes CreateWindowExW return null.
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
      return OnControlColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam),
                             message);
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_ERASEBKGND:
      OnEraseBackground(reinterpret_cast<HDC>(wparam));
      return 1;
    case WM_PAINT:
      OnPaint();
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
      OnDestroy();
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
  dpi_ = DpiOf(window_);
  if (design_.back_colour) {
    back_brush_.reset(CreateSolidBrush(ToColorRef(*design_.back_colour)));
  }
  if (design_.icon) {
    SetIcon(window_, *design_.icon);
  }
  if (design_.picture) {
    picture_ = LoadPicture(design_.picture->image);
  }
  BuildControls();
  Layout();
}

void Win32Form::BuildControls() {
  for (const auto* design : CreationOrder(design_)) {
    auto id = kFirstControlId + static_cast<int>(design - design_.controls.data());
    Styled styled = StyleOf(*design);
    auto built = std::make_unique<Built>();
    built->design = design;
    // Made where Layout places it, which then need not move it.
    RECT place = PlaceOf(*design);
    built->window = CreateWindowExW(
        styled.ex_style, styled.window_class, Wide(design->text), styled.style, place.left,
        place.top, place.right - place.left, place.bottom - place.top, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
    if (built->window == nullptr) {
      throw std::runtime_error("cannot create the control " + ToAnsi(ControlName(*design)));
    }
    if (design->kind == forms::ControlKind::kDropDownList) {
      for (const auto& item : design->items) {
        SendMessageW(built->window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
      }
      built->control = std::make_unique<ListControl>(built->window);
    } else {
      built->control = std::make_unique<TextControl>(built->window);
    }
    bool shows_back = design->kind != forms::ControlKind::kCommandButton || design->graphical;
    if (design->back_colour && shows_back) {
      built->back.reset(CreateSolidBrush(ToColorRef(*design->back_colour)));
    }
    if (focus_ == nullptr && design->tab_index) {
      focus_ = built->window;
    }
    controls_.push_back(std::move(built));
  }
}

// Everything that depends on the DPI: the window's size, the controls'
// rectangles and the fonts. The old fonts go only once no control uses them.
void Win32Form::Layout() {
  std::vector<std::pair<forms::Font, Font>> old_fonts = std::move(fonts_);
  fonts_.clear();
  RECT outer = OuterRect(ToPixels(design_.client_width), ToPixels(design_.client_height), dpi_);
  RECT now{};
  GetWindowRect(window_, &now);
  if (now.right - now.left != outer.right - outer.left ||
      now.bottom - now.top != outer.bottom - outer.top) {
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // A hidden window's controls are drawn when it is first shown.
  BOOL redraw = IsWindowVisible(window_);
  for (auto& built : controls_) {
    const forms::ControlDesign& design = *built->design;
    built->font = FontFor(design.font.value_or(forms::kDefaultFont));
    SendMessageW(built->window, WM_SETFONT, reinterpret_cast<WPARAM>(built->font), redraw);
    RECT place = PlaceOf(design);
    if (!IsAt(built->window, place)) {
      SetWindowPos(built->window, nullptr, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (design.kind == forms::ControlKind::kDropDownList) {
      FitSelectionField(built->window, ToPixels(design.height));
    }
  }
  InvalidateRect(window_, nullptr, TRUE);
}

RECT Win32Form::PlaceOf(const forms::ControlDesign& design) const {
  int left = ToPixels(design.left);
  int top = ToPixels(design.top);
  int height = ToPixels(design.height);
  // A list's window reaches down over its open entries.
  if (design.kind == forms::ControlKind::kDropDownList) {
    height *= static_cast<int>(design.items.size() + 2);
  }
  return {left, top, left + ToPixels(design.width), top + height};
}

HFONT Win32Form::FontFor(const forms::Font& font) {
  for (const auto& [design, handle] : fonts_) {
    if (design == font) {
      return handle.get();
    }
  }
  auto height = static_cast<int>(std::lround(font.points * dpi_ / kPointsPerInch));
  Font created(CreateFontW(-height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(font.family)));
  if (!created) {
    throw std::runtime_error("cannot create the font " + ToAnsi(font.family));
  }
  fonts_.emplace_back(font, std::move(created));
  return fonts_.back().second.get();
}

int Win32Form::ToPixels(double twips) const {
  return static_cast<int>(std::lround(twips * dpi_ / kTwipsPerInch));
}

float Win32Form::ToTwips(int pixels) const {
  return static_cast<float>(pixels * kTwipsPerInch / dpi_);
}

const Win32Form::Built* Win32Form::Find(HWND control) const {
  for (const auto& built : controls_) {
    if (built->window == control) {
      return built.get();
    }
  }
  return nullptr;
}

void Win32Form::OnCommand(WORD id, WORD code) {
  if (id < kFirstControlId || code != BN_CLICKED) {
    return;
  }
  const Built* built = Find(GetDlgItem(window_, id));
  if (built != nullptr && built->design->kind == forms::ControlKind::kCommandButton) {
    // Copies: the handler may end the window and its controls with it.
    std::u16string name = built->design->name;
    std::optional<int> index = built->design->index;
    Dispatch([&] { handlers_.Click(*this, name, index); });
  }
}

LRESULT Win32Form::OnControlColour(HDC dc, HWND control, UINT message) {
  const Built* built = Find(control);
  if (built == nullptr) {
    return DefWindowProcW(window_, message, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
  }
  const forms::ControlDesign& design = *built->design;
  // Labels keep the standard face colour rather than the window's background.
  int standard = design.kind == forms::ControlKind::kLabel ? COLOR_BTNFACE : COLOR_WINDOW;
  SetTextColor(
      dc, design.fore_colour ? ToColorRef(*design.fore_colour) : GetSysColor(COLOR_WINDOWTEXT));
  if (built->back) {
    SetBkColor(dc, ToColorRef(*design.back_colour));
    return reinterpret_cast<LRESULT>(built->back.get());
  }
  SetBkColor(dc, GetSysColor(standard));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(standard));
}

// A label: its background (the standard face unless designed) and its caption
// on one line. A graphical button: its face colour, a raised edge (sunken
// while pressed), its caption and, with the focus, a focus rectangle.
void Win32Form::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const Built* built = Find(item.hwndItem);
  if (built == nullptr) {
    return;
  }
  const forms::ControlDesign& design = *built->design;
  bool label = design.kind == forms::ControlKind::kLabel;
  RECT face = item.rcItem;
  FillRect(item.hDC, &face, built->back ? built->back.get() : GetSysColorBrush(COLOR_BTNFACE));
  bool pressed = !label && (item.itemState & ODS_SELECTED) != 0;
  if (!label) {
    DrawEdge(item.hDC, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  }
  Selected font(item.hDC, built->font);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, design.fore_colour
                             ? ToColorRef(*design.fore_colour)
                             : GetSysColor(label ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  std::u16string caption = WindowText(item.hwndItem);
  RECT text = face;
  if (pressed) {
    OffsetRect(&text, 1, 1);
  }
  DrawTextW(item.hDC, Wide(caption), -1, &text,
            DT_SINGLELINE | DT_NOPREFIX |
                (label ? TextAlignment(design.alignment) : DT_CENTER | DT_VCENTER));
  if (!label && (item.itemState & ODS_FOCUS) != 0) {
    RECT focus = face;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(item.hDC, &focus);
  }
}

void Win32Form::OnEraseBackground(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  FillRect(dc, &client, back_brush_ ? back_brush_.get() : GetSysColorBrush(COLOR_BTNFACE));
}

void Win32Form::OnPaint() {
  Painting painting(window_);
  HDC dc = painting.dc();
  for (const auto& line : design_.lines) {
    int thickness = MulDiv(line.width_pixels, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI);
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
    MemoryDc source(CreateCompatibleDC(dc));
    Selected bitmap(source.get(), picture_.bitmap.get());
    StretchBlt(dc, ToPixels(design_.picture->left), ToPixels(design_.picture->top),
               MulDiv(picture_.size.cx, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI),
               MulDiv(picture_.size.cy, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI),
               source.get(), 0, 0, picture_.size.cx, picture_.size.cy, SRCCOPY);
  }
}

void Win32Form::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  Layout();
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Form::OnDestroy() {
  if (!ended_) {
    ended_ = true;
    exit_code_ = 0;
  }
}

bool Win32Form::Load() {
  Dispatch([this] { handlers_.Load(*this); });
  return !ended_;
}

void Win32Form::Show() {
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  if (focus_ != nullptr) {
    SetFocus(focus_);
  }
}

int Win32Form::RunMessageLoop() {
  MSG message{};
  while (!ended_) {
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1) {
      // Someone ended the thread's loop from outside: the window goes with it.
      End(got == 0 ? static_cast<int>(message.wParam) : kRunTimeErrorExitCode);
      break;
    }
    if (window_ == nullptr || !IsDialogMessageW(window_, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return exit_code_;
}

HWND Win32Form::WindowOf(std::u16string_view name, std::optional<int> index) const {
  for (const auto& built : controls_) {
    if (built->design->name == name && built->design->index == index) {
      return built->window;
    }
  }
  return nullptr;
}

HFONT Win32Form::FontOf(HWND control) const {
  const Built* built = Find(control);
  return built == nullptr ? nullptr : built->font;
}

forms::Control& Win32Form::Lookup(std::u16string_view name, std::optional<int> index) {
  for (const auto& built : controls_) {
    if (built->design->name == name && built->design->index == index) {
      return *built->control;
    }
  }
  throw std::out_of_range("no such control: " + ToAnsi(name) +
                          (index ? "(" + std::to_string(*index) + ")" : ""));
}

forms::Control& Win32Form::control(std::u16string_view name) {
  return Lookup(name, std::nullopt);
}

forms::Control& Win32Form::control(std::u16string_view name, int index) {
  return Lookup(name, index);
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

void Win32Form::MsgBox(std::u16string_view text) {
  message_box_(window_ != nullptr && IsWindowVisible(window_) ? window_ : nullptr, app_.title,
               text);
}

void Win32Form::Unload() {
  End(0);
}

// No handler traps errors: a run-time error ends the program with its message.
// Nothing may unwind through the system's frames of the message loop.
template <typename Handler>
void Win32Form::Dispatch(Handler&& handler) {
  if (auto message = Trapped(std::forward<Handler>(handler))) {
    message_box_(window_ != nullptr && IsWindowVisible(window_) ? window_ : nullptr, app_.title,
                 *message);
    End(kRunTimeErrorExitCode);
  }
}

void Win32Form::End(int exit_code) {
  if (ended_) {
    return;
  }
  ended_ = true;
  exit_code_ = exit_code;
  if (window_ != nullptr) {
    DestroyWindow(window_);
  }
}

}  // namespace rt::win32
