// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/win32/win32_window.hpp"

#include <stdexcept>
#include <tuple>

#include "runtime/win32/dll_function.hpp"
#include "runtime/win32/gdi_handles.hpp"

namespace rt::win32::detail {

void RegisterFormClass(WNDPROC procedure) {
  static const ATOM atom = [procedure] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.lpszClassName = kFormClassName;
    return RegisterClassExW(&window_class);
  }();
  if (atom == 0) {
    throw std::runtime_error("cannot register the window class");
  }
}

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
    function(&rect, kFormStyle, FALSE, kFormExStyle, dpi);
  } else {
    AdjustWindowRectEx(&rect, kFormStyle, FALSE, kFormExStyle);
  }
  return rect;
}

void SetIcon(HWND window, const forms::ImageRef& image) {
  for (auto [which, width, height] : {std::tuple{ICON_BIG, SM_CXICON, SM_CYICON},
                                      std::tuple{ICON_SMALL, SM_CXSMICON, SM_CYSMICON}}) {
    // Shared icons belong to the system, which frees them.
    HANDLE icon = LoadImageW(GetModuleHandleW(nullptr),
                             reinterpret_cast<const wchar_t*>(image.resource.c_str()), IMAGE_ICON,
                             GetSystemMetrics(width), GetSystemMetrics(height), LR_SHARED);
    if (icon != nullptr) {
      SendMessageW(window, WM_SETICON, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(icon));
    }
  }
}

}  // namespace rt::win32::detail
