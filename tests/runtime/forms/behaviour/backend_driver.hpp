// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cmath>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/forms/backend.hpp"
#include "runtime/forms/design.hpp"

// One backend as the behaviour suite builds, drives and reads it. Each
// backend's test program implements it once (qt_driver.cpp, win32_driver.cpp)
// with a few primitives; the suite itself (behaviour_test.cpp) is written
// once, against this, and holds every check.
namespace testsupport {

using rt::forms::ControlRef;
using rt::forms::Rgb;

// Twips to pixels at `dpi`, to the nearest: the tests' own rule, to check the
// forms' TwipsToPixels by.
inline int Pixels(double twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440));
}

// Left, top, width, height in pixels.
using PixelRect = std::array<int, 4>;
// The face the backend asks for or resolves to, the em height in pixels at
// the layout DPI, bold.
using SeenFont = std::tuple<std::u16string, int, bool>;
// A message box as the backend shows it for real: caption, text, how many
// buttons, whether the one is OK, whether it shows an icon.
using SeenMessageBox = std::tuple<std::u16string, std::u16string, int, bool, bool>;

// A control as the user sees, hears and uses it, in pixels at the layout DPI.
struct SeenControl {
  PixelRect geometry{};  // in the window's client area
  SeenFont font;
  Rgb back;  // its background or face, as painted
  Rgb fore;  // its text
  rt::forms::Alignment alignment = rt::forms::Alignment::kLeft;
  bool takes_typing = false;
  bool focused = false;       // it has the keyboard focus
  int text_top = 0;           // from a text box's top to its first line's top
  int text_left = 0;          // from a text box's left to its first character's
  std::u16string read_aloud;  // what a screen reader reads as its text
  std::u16string named_by;    // the caption of the label it is named by
  // A label's or button's caption: its ink width and its line height in the
  // font it is drawn in, and the width and height of the room it has.
  std::array<double, 4> caption{};
};

// Pixels as drawn, rows top first.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  Rgb At(int x, int y) const { return pixels.begin()[std::ptrdiff_t{y} * width + x]; }
};

enum class Key { kTab, kShiftTab, kEnter, kSpace, kEscape };

class BackendDriver {
 public:
  virtual ~BackendDriver() = default;

  // Builds the window, hidden, with every message box noted in `messages`
  // instead of shown; throws what the backend throws.
  virtual void Open(const rt::forms::FormDesign& design, rt::forms::FormHandlers& handlers,
                    const rt::forms::AppInfo& app) = 0;
  virtual rt::forms::FormCore& form() = 0;
  // Shows the window and waits until it has the keyboard focus.
  virtual void Show() = 0;
  // RunProgram of the backend with the message boxes noted; its exit code.
  virtual int RunProgram(const rt::forms::FormDesign& design, rt::forms::FormHandlers& handlers,
                         const rt::forms::AppInfo& app) = 0;

  // Shows the window at `dpi` (one of `dpis`); the DPI that the backend now
  // lays the designs out at (Qt: 96, then scaled).
  virtual int UseDpi(int dpi) = 0;
  // The client area, or the outer frame on the screen.
  virtual PixelRect WindowRect(bool outer) = 0;
  virtual SeenControl See(const ControlRef& control) = 0;
  // The window's client area as drawn, controls and all, or a control's
  // drawn alone, in device pixels (pixels at the DPI it is shown at).
  virtual Image WindowImage() = 0;
  virtual Image ControlImage(const ControlRef& control) = 0;
  // Device pixels per pixel at 96 dpi of the image the window draws its
  // picture from (1, or 2 for "<name>@2x.<suffix>"); that image as the
  // backend reads it from the picture's source.
  virtual int PictureDensity() = 0;
  virtual Image SourceImage(const rt::forms::ImageRef& image, int density) = 0;

  // A key pressed and released in the focused control, as the user does it.
  virtual void Press(Key key) = 0;
  virtual void Click(const ControlRef& control) = 0;
  virtual void DoubleClick(const ControlRef& control) = 0;
  // The backend's own modal box, shown for real, read and dismissed.
  virtual SeenMessageBox ShowRealMessageBox(const std::u16string& caption,
                                            const std::u16string& text) = 0;

  std::vector<int> dpis;  // the DPIs this process can show the window at
  PixelRect screen{};     // the primary screen, as the test platform makes it
  Rgb standard_face;      // the platform's standard control face
  std::map<std::u16string, std::u16string> stand_ins;  // for designed fonts

  // Every message box of the window, "caption: text", one after the other.
  std::u16string messages;
  // Whether the last message box had the window as its owner.
  bool owned = false;
};

std::unique_ptr<BackendDriver> MakeDriver();

}  // namespace testsupport
