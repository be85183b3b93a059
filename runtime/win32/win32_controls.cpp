// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/win32/win32_controls.hpp"

#include <algorithm>
#include <stdexcept>

#include "runtime/core/ansi_codec.hpp"

namespace rt::win32::detail {
namespace {

// A label's or button's Caption, or a text box's Text: the window text of each.
class WindowTextControl final : public forms::TextControl {
 public:
  explicit WindowTextControl(HWND window) : window_(window) {}
  std::u16string Text() const override { return WindowText(window_); }
  void SetText(std::u16string_view text) override {
    SetWindowTextW(window_, Wide(std::u16string(text)));
  }

 private:
  HWND window_;
};

class ComboBoxList final : public forms::ListControl {
 public:
  explicit ComboBoxList(HWND list) : list_(list) {}
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
  int ListIndex() const override {
    return static_cast<int>(SendMessageW(list_, CB_GETCURSEL, 0, 0));
  }

 private:
  int Count() const override { return static_cast<int>(SendMessageW(list_, CB_GETCOUNT, 0, 0)); }
  void Select(int index) override {
    SendMessageW(list_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }

  HWND list_;
};

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
      // Its border too, in the forms' colour and thickness.
      return {L"STATIC", common | SS_OWNERDRAW, 0};
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

// A device context's clipping region, given back at the end of the scope.
class KeptClip {
 public:
  explicit KeptClip(HDC dc) : dc_(dc), had_(GetClipRgn(dc, clip_.get()) == 1) {}
  ~KeptClip() { SelectClipRgn(dc_, had_ ? clip_.get() : nullptr); }
  KeptClip(const KeptClip&) = delete;
  KeptClip& operator=(const KeptClip&) = delete;

 private:
  HDC dc_;
  Region clip_{CreateRectRgn(0, 0, 0, 0)};
  bool had_;
};

}  // namespace

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

NativeControl CreateControl(const forms::ControlDesign& design, HWND parent, int id) {
  Styled styled = StyleOf(design);
  NativeControl control{.design = &design};
  control.window = CreateWindowExW(
      styled.ex_style, styled.window_class, Wide(design.text), styled.style, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control.window == nullptr) {
    throw std::runtime_error("cannot create the control " +
                             forms::DisplayName(design.name, design.index));
  }
  for (const auto& item : design.items) {
    SendMessageW(control.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
  }
  if (design.back_colour && forms::ShowsBackColour(design)) {
    control.back.reset(CreateSolidBrush(ToColorRef(*design.back_colour)));
  }
  return control;
}

std::unique_ptr<forms::Control> ControlOf(const NativeControl& control) {
  if (control.design->kind == forms::ControlKind::kDropDownList) {
    return std::make_unique<ComboBoxList>(control.window);
  }
  return std::make_unique<WindowTextControl>(control.window);
}

void PlaceControl(const NativeControl& control, RECT rect, int dpi) {
  SendMessageW(control.window, WM_SETFONT, reinterpret_cast<WPARAM>(control.font), TRUE);
  const int height = rect.bottom - rect.top;
  const bool list = control.design->kind == forms::ControlKind::kDropDownList;
  // A list's window reaches down over its open entries.
  const int window_height =
      list ? height * static_cast<int>(control.design->items.size() + 2) : height;
  SetWindowPos(control.window, nullptr, rect.left, rect.top, rect.right - rect.left, window_height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (list) {
    FitSelectionField(control.window, height);
  }
  if (control.design->kind == forms::ControlKind::kTextBox) {
    // Set after the font, which resets them. Within the sunken edge that the
    // system draws, the control keeps a gap of its own beside the margins.
    RECT outer{};
    RECT inner{};
    RECT format{};
    GetWindowRect(control.window, &outer);
    GetClientRect(control.window, &inner);
    SendMessageW(control.window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    SendMessageW(control.window, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const int edge = ((outer.right - outer.left) - inner.right) / 2;
    const auto margin = static_cast<WORD>(
        std::max(forms::TextInsetOf(*control.design, dpi).left - edge - format.left, LONG{0}));
    SendMessageW(control.window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELPARAM(margin, margin));
  }
}

void LeaveUncovered(HWND control, RECT rect, const std::vector<RECT>& above) {
  // In the window's own coordinates, as a window region is.
  Region shown(CreateRectRgn(0, 0, rect.right - rect.left, rect.bottom - rect.top));
  bool covered = false;
  for (const RECT& other : above) {
    RECT overlap{};
    if (IntersectRect(&overlap, &rect, &other)) {
      OffsetRect(&overlap, -rect.left, -rect.top);
      const Region cut(CreateRectRgnIndirect(&overlap));
      CombineRgn(shown.get(), shown.get(), cut.get(), RGN_DIFF);
      covered = true;
    }
  }
  // The system owns a region once it is the window's.
  if (SetWindowRgn(control, covered ? shown.get() : nullptr, TRUE) != 0 && covered) {
    static_cast<void>(shown.release());
  }
}

void DrawOwnerDrawn(const DRAWITEMSTRUCT& item, const NativeControl& control, int dpi) {
  const forms::ControlDesign& design = *control.design;
  bool label = design.kind == forms::ControlKind::kLabel;
  // The window's region, which leaves out what later controls cover: the
  // system's clipping ignores it for a label or button, whose class draws
  // with its parent's clipping.
  const KeptClip kept(item.hDC);
  if (Region shown(CreateRectRgn(0, 0, 0, 0)); GetWindowRgn(item.hwndItem, shown.get()) != ERROR) {
    RECT window{};
    GetWindowRect(item.hwndItem, &window);
    POINT client{0, 0};
    ClientToScreen(item.hwndItem, &client);
    OffsetRgn(shown.get(), window.left - client.x, window.top - client.y);
    ExtSelectClipRgn(item.hDC, shown.get(), RGN_AND);
  }
  RECT face = item.rcItem;
  FillRect(item.hDC, &face, control.back ? control.back.get() : GetSysColorBrush(COLOR_BTNFACE));
  bool pressed = !label && (item.itemState & ODS_SELECTED) != 0;
  if (!label) {
    DrawEdge(item.hDC, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  }
  if (label && design.border) {
    const Brush border(CreateSolidBrush(ToColorRef(forms::kBorderColour)));
    const int thickness = forms::ThicknessToPixels(forms::kBorderPixels, dpi);
    for (int i = 0; i < thickness; ++i) {
      RECT frame = face;
      InflateRect(&frame, -i, -i);
      FrameRect(item.hDC, &frame, border.get());
    }
  }
  Selected font(item.hDC, control.font);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, design.fore_colour
                             ? ToColorRef(*design.fore_colour)
                             : GetSysColor(label ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  std::u16string caption = WindowText(item.hwndItem);
  RECT text = face;
  const forms::TextInset inset = forms::TextInsetOf(design, dpi);
  InflateRect(&text, -inset.left, -inset.top);
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

HBRUSH ControlColours(HDC dc, const NativeControl& control) {
  const forms::ControlDesign& design = *control.design;
  // Labels keep the standard face colour rather than the window's background.
  int standard = design.kind == forms::ControlKind::kLabel ? COLOR_BTNFACE : COLOR_WINDOW;
  SetTextColor(
      dc, design.fore_colour ? ToColorRef(*design.fore_colour) : GetSysColor(COLOR_WINDOWTEXT));
  if (control.back) {
    SetBkColor(dc, ToColorRef(*design.back_colour));
    return control.back.get();
  }
  SetBkColor(dc, GetSysColor(standard));
  return GetSysColorBrush(standard);
}

}  // namespace rt::win32::detail
