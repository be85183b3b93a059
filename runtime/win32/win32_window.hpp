// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

#include "runtime/forms/design.hpp"

// Internal to the Win32 backend: the forms' top-level window class, its
// style, its measures at a DPI, and its icon.
namespace rt::win32::detail {

inline constexpr wchar_t kFormClassName[] = L"RtWin32Form";
inline constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
inline constexpr DWORD kFormExStyle = 0;

// Registers the forms' window class once per process; throws when refused.
void RegisterFormClass(WNDPROC procedure);

// The window's DPI where Windows knows one per window, else the system's.
UINT DpiOf(HWND window);

// The outer rectangle of a form window around a client area of that size.
RECT OuterRect(int client_width, int client_height, UINT dpi);

// The program's icon resource of the image's name, big and small, when it has one.
void SetIcon(HWND window, const forms::ImageRef& image);

}  // namespace rt::win32::detail
