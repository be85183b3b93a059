// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// The floor that the Windows programs' start-up is measured against: a window
// with the same number and kinds of controls as Corvel's or Pellam's, built
// straight on CreateWindowExW with the platform's defaults (standard controls,
// the stock GUI font, no icon, picture or colours of its own), linked with the
// same manifest as the programs.
//
// usage: startup_bare_window corvel|pellam

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Mix {
  int width = 0;
  int height = 0;
  int labels = 0;
  int text_boxes = 0;
  int buttons = 0;
  int lists = 0;
  int lines = 0;
};

constexpr Mix kCorvel{357, 292, 7, 3, 2, 0, 2};
constexpr Mix kPellam{488, 143, 5, 2, 1, 1, 0};
constexpr int kListEntries = 5;
constexpr int kRowHeight = 24;
constexpr wchar_t kClassName[] = L"StartupBareWindow";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Fills the window in two columns of rows, in the order given; the lines,
// which are drawn rather than made of windows, take the rows after them.
class Rows {
 public:
  explicit Rows(HWND window) : window_(window) {}

  HWND Add(const wchar_t* window_class, const wchar_t* text, DWORD style, DWORD ex_style = 0,
           int extra_height = 0) {
    RECT place = Next();
    HWND control = CreateWindowExW(ex_style, window_class, text, WS_CHILD | WS_VISIBLE | style,
                                   place.left, place.top, place.right - place.left,
                                   place.bottom - place.top + extra_height, window_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (control != nullptr) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                   FALSE);
    }
    return control;
  }

  RECT Next() {
    RECT client{};
    GetClientRect(window_, &client);
    int column_width = (client.right - client.left) / 2;
    int left = (count_ % 2) * column_width + 4;
    int top = (count_ / 2) * kRowHeight + 4;
    ++count_;
    return {left, top, left + column_width - 8, top + kRowHeight - 4};
  }

 private:
  HWND window_;
  int count_ = 0;
};

const Mix& MixOf(HWND window) {
  return *reinterpret_cast<const Mix*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Where the lines go: the rows after the controls.
RECT LineRect(HWND window, int line) {
  const Mix& mix = MixOf(window);
  int controls = mix.labels + mix.text_boxes + mix.buttons + mix.lists;
  RECT client{};
  GetClientRect(window, &client);
  int column_width = (client.right - client.left) / 2;
  int row = controls + line;
  int left = (row % 2) * column_width + 4;
  int top = (row / 2) * kRowHeight + 4 + kRowHeight / 2;
  return {left, top, left + column_width - 8, top + 2};
}

bool Build(HWND window) {
  const Mix& mix = MixOf(window);
  Rows rows(window);
  bool built = true;
  for (int i = 0; i < mix.labels; ++i) {
    std::wstring text = L"Label " + std::to_wstring(i);
    built &= rows.Add(L"STATIC", text.c_str(), SS_LEFT) != nullptr;
  }
  for (int i = 0; i < mix.text_boxes; ++i) {
    built &= rows.Add(L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE) != nullptr;
  }
  for (int i = 0; i < mix.buttons; ++i) {
    std::wstring text = L"Button " + std::to_wstring(i);
    built &= rows.Add(L"BUTTON", text.c_str(), WS_TABSTOP | BS_PUSHBUTTON) != nullptr;
  }
  for (int i = 0; i < mix.lists; ++i) {
    HWND list = rows.Add(L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
                         kRowHeight * kListEntries);
    built &= list != nullptr;
    for (int entry = 0; entry < kListEntries; ++entry) {
      std::wstring text = L"Entry " + std::to_wstring(entry);
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
  }
  return built;
}

void Paint(HWND window) {
  const Mix& mix = MixOf(window);
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window, &paint);
  for (int line = 0; line < mix.lines; ++line) {
    RECT rect = LineRect(window, line);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWTEXT));
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(
          window, GWLP_USERDATA,
          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
      return DefWindowProcW(window, message, wparam, lparam);
    case WM_CREATE:
      return Build(window) ? 0 : -1;
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 || (std::strcmp(argv[1], "corvel") != 0 && std::strcmp(argv[1], "pellam") != 0)) {
    std::fputs("usage: startup_bare_window corvel|pellam\n", stderr);
    return 2;
  }
  const Mix& mix = std::strcmp(argv[1], "corvel") == 0 ? kCorvel : kPellam;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0) {
    return 1;
  }
  RECT outer{0, 0, mix.width, mix.height};
  AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
  HWND window = CreateWindowExW(0, kClassName, L"Bare window", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr,
                                nullptr, GetModuleHandleW(nullptr), const_cast<Mix*>(&mix));
  if (window == nullptr) {
    return 1;
  }
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}
