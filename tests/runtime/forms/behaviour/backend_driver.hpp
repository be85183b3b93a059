#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/forms/backend.hpp"
#include "runtime/forms/design.hpp"

// One backend as the behaviour suite builds, drives and reads it. Each
// backend's test program implements it once (qt_driver.cpp, win32_driver.cpp);
// the suite itself (behaviour_test.cpp) is written once, against this.
namespace testsupport {

using rt::forms::ControlRef;

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct SeenFont {
  std::u16string family;  // the face the backend asks for or resolves to
  int pixel_height = 0;   // the em height, at the layout DPI
  bool bold = false;
  friend bool operator==(const SeenFont&, const SeenFont&) = default;
};

// A message box as a backend shows it for real.
struct SeenMessageBox {
  std::u16string caption;
  std::u16string text;
  int buttons = 0;   // how many
  bool ok = false;   // the one button is OK
  bool icon = true;  // it shows an icon
  friend bool operator==(const SeenMessageBox&, const SeenMessageBox&) = default;
};

// Readable failures.
inline std::string Printable(const std::u16string& text) {
  std::string ascii;
  for (char16_t c : text) {
    ascii += c < 0x80 ? static_cast<char>(c) : '?';
  }
  return ascii;
}
inline void PrintTo(const PixelRect& rect, std::ostream* out) {
  *out << "{" << rect.left << ", " << rect.top << ", " << rect.width << " x " << rect.height << "}";
}
inline void PrintTo(const SeenFont& font, std::ostream* out) {
  *out << Printable(font.family) << " " << font.pixel_height << " px" << (font.bold ? " bold" : "");
}
inline void PrintTo(const SeenMessageBox& box, std::ostream* out) {
  *out << "\"" << Printable(box.caption) << "\": \"" << Printable(box.text) << "\", " << box.buttons
       << " button(s)" << (box.ok ? " OK" : "") << (box.icon ? ", an icon" : "");
}

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

  // The DPIs this process can show the window at, and the one to use now.
  virtual std::vector<int> Dpis() = 0;
  virtual void UseDpi(int dpi) = 0;
  // The DPI that the backend lays the designs out at (Qt: 96, then scaled).
  virtual int LayoutDpi() = 0;

  // Measures in pixels at the layout DPI; rectangles in the window's client area.
  virtual PixelRect ClientArea() = 0;
  // The window's outer frame on the screen.
  virtual PixelRect OuterFrame() = 0;
  // The primary screen of the platform the tests run on, as its setup makes it.
  virtual PixelRect KnownScreen() = 0;
  virtual PixelRect Geometry(const ControlRef& control) = 0;
  virtual SeenFont FontOf(const ControlRef& control) = 0;
  // The face that stands in for a designed family on this backend.
  virtual std::u16string StandIn(const std::u16string& family) = 0;

  // Colours as painted: a control's background or face and its text, the
  // window's background, and the platform's standard control face.
  virtual rt::forms::Rgb BackColour(const ControlRef& control) = 0;
  virtual rt::forms::Rgb ForeColour(const ControlRef& control) = 0;
  virtual rt::forms::Rgb WindowColour() = 0;
  virtual rt::forms::Rgb StandardFace() = 0;

  virtual rt::forms::Alignment AlignmentOf(const ControlRef& control) = 0;
  // Pixels from the top of a text box to the top of its first line of text.
  virtual int TextTop(const ControlRef& control) = 0;
  virtual bool HasBorder(const ControlRef& control) = 0;
  // What the control shows: a caption, a text, a list's selected entry.
  virtual std::u16string Shows(const ControlRef& control) = 0;
  // The caption of the label a screen reader names the control by.
  virtual std::u16string NamedBy(const ControlRef& control) = 0;
  // Whether the user can type into it.
  virtual bool TakesTyping(const ControlRef& control) = 0;
  // The window's client area as drawn, controls and all, sampled at a point
  // in pixels at the layout DPI: what drawing checks read.
  virtual rt::forms::Rgb WindowPixel(int x, int y) = 0;
  // What a screen reader reads as the control's text: its name for a label,
  // its value for a text box.
  virtual std::u16string ReadAloud(const ControlRef& control) = 0;

  // The control that has the keyboard focus, if it is one of the design's.
  virtual std::optional<ControlRef> Focused() = 0;
  // A key pressed and released in the focused control, as the user does it.
  virtual void Press(Key key) = 0;
  virtual void Click(const ControlRef& control) = 0;
  virtual void DoubleClick(const ControlRef& control) = 0;

  // The backend's own modal box, shown for real, read and dismissed.
  virtual SeenMessageBox ShowRealMessageBox(const std::u16string& caption,
                                            const std::u16string& text) = 0;

  // Every message box of the window, "caption: text", one after the other.
  std::u16string messages;
  // Whether the last message box had the window as its owner.
  bool owned = false;
};

std::unique_ptr<BackendDriver> MakeDriver();

}  // namespace testsupport
