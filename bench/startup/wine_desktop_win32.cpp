// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Keeps Wine's desktop process up while the start-up benchmark runs: Wine
// ends that process as soon as the last program with a window ends, and
// starts it anew, at a cost of about 100 ms, for the next one. Windows' own
// desktop is always there, so the programs are measured against a running one.
//
// A message-only window is enough to count as a program with a window; it is
// never shown and it ends when it is killed.

#include <windows.h>

int main() {
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    return 1;
  }
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    DispatchMessageW(&message);
  }
  return 0;
}
