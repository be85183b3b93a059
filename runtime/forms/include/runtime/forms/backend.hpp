// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/core/run_time_error.hpp"
#include "runtime/forms/design.hpp"
#include "runtime/forms/form.hpp"

// What every backend shares, and what a backend must do.
//
// A backend turns a FormDesign into a native window. It derives its window
// class from FormCore and implements four things, nothing else:
//
//  1. Build a control: BuildControl makes the native control for one design
//     (geometry by TwipsToPixels, at kLayoutDpi when the toolkit scales
//     logical pixels itself or else at the window's DPI; the font or its
//     stand-in; colours where ShowsBackColour says so; alignment, with a text
//     box's text at the top; a label's border; the text where TextInsetOf puts
//     it; a graphical button's flat face in a raised edge, sunken while down;
//     every thickness by ThicknessToPixels) and returns the Control that
//     handlers reach it through, made from TextControl or ListControl. The core calls it once
//     per control, in CreationOrder, from BuildControls; the native focus
//     chain then follows the controls' creation, which is the focus order.
//     Where controls overlap, they are drawn in StackingOrder. A toolkit
//     that makes fonts only at whole pixel heights sizes a caption's font
//     by FittingFontPixelHeight (font_height.hpp).
//     A button's every click, however it comes (mouse, Space, Enter while it
//     has the focus, each half of a double-click), goes to Click.
//  2. Measure and place the window: Width and Height are the window's outer
//     size, also during Load before it is first shown; SetLeft and SetTop
//     place the outer frame; ScreenWidth and ScreenHeight are the primary
//     screen's, all in twips.
//  3. Show a message: ShowMessage shows a modal box with one OK button, no
//     icon and the caption given, owned by the window once it is visible.
//     Backends make the box replaceable, so that tests never wait on it.
//  4. Close: Close hides or destroys the window; the core calls it once,
//     when the program ends.
//
// The backend also shows the window with the focus on FirstFocus, lets Tab
// and Shift+Tab move along the focus order and wrap, lets Enter in a text box
// click nothing (no button is the default), and lets nothing escape from its
// event handling: whatever it runs on behalf of the window goes through
// Dispatch, which turns an exception into the run-time error's message and
// ends the program with kRunTimeErrorExitCode.
//
// tests/runtime/forms/behaviour checks all of this on every backend: a new
// backend adds its BackendDriver there and runs the same suite.
namespace rt::forms {

inline constexpr int kRunTimeErrorExitCode = 1;

// The DPI that designs are laid out at: 15 twips to the pixel.
inline constexpr int kLayoutDpi = 96;

// A measure in twips as the nearest whole pixel at `dpi`.
int TwipsToPixels(double twips, int dpi = kLayoutDpi);

// A thickness of `pixels` at kLayoutDpi (a line, an edge, a border, a
// margin) as whole pixels at `dpi`: the nearest, halves away from zero, as
// TwipsToPixels rounds a position, and never thinner than one pixel. A 3-pixel
// line is 5 pixels thick at 144 dpi, a 1-pixel border 2.
int ThicknessToPixels(int pixels, int dpi);

// The frames that text sits within, in pixels at kLayoutDpi, each scaled by
// ThicknessToPixels: a bordered label's single black line with its text flush
// inside it; a text box's sunken edge with its text one pixel in from the edge
// at the left and right, and flush below it at the top.
inline constexpr Rgb kBorderColour{0, 0, 0};
inline constexpr int kBorderPixels = 1;
inline constexpr int kTextBoxEdgePixels = 2;
inline constexpr int kTextBoxMarginPixels = 1;

// Where a control's text starts, from its outer top left corner, in whole
// pixels at `dpi` (by ThicknessToPixels of the frames above; 0 for controls
// without them). For a right-aligned text, `left` is also its right inset.
struct TextInset {
  int left = 0;
  int top = 0;
  friend bool operator==(const TextInset&, const TextInset&) = default;
};
TextInset TextInsetOf(const ControlDesign& control, int dpi);

// "name" or "name(index)", as a control is named in messages and by tools.
// Control names are ASCII identifiers; anything else shows as '?'.
std::string DisplayName(std::u16string_view name, std::optional<int> index = std::nullopt);

// A standard button keeps the platform's face; labels, text boxes, lists and
// graphical buttons show their back colour.
bool ShowsBackColour(const ControlDesign& control);

// The font a control is drawn in: its own, or kDefaultFont.
const Font& FontOf(const ControlDesign& control);

// The font that most of the design's controls are drawn in (of equally common
// ones, the first in the design; kDefaultFont for a design without controls).
// A backend makes it the window's own, inherited by the controls that have
// it: a toolkit that lays out a control's text before the control gets its
// font (Qt's line edit) then measures it in a face that the window draws
// anyway, and fewer controls need a font of their own.
const Font& CommonFont(const FormDesign& design);

// The controls that take the focus, by tab index (design order for equal ones).
std::vector<const ControlDesign*> FocusOrder(const FormDesign& design);

// The order controls are created in: the focus stops first, in focus order,
// each text box or list right after the label that names it (the one whose
// buddy it is, else the one whose caption holds its accessible name), since
// screen readers name a field by the label before it; the rest as designed.
std::vector<const ControlDesign*> CreationOrder(const FormDesign& design);

// Where controls overlap, the one later in the design is drawn over the
// earlier ones: the controls from the bottom of the stack to its top. It is
// not the creation order, which the focus order and the naming labels set.
std::vector<const ControlDesign*> StackingOrder(const FormDesign& design);

// A label's or button's Caption, or a text box's Text: no list index.
class TextControl : public Control {
 public:
  int ListIndex() const final;
  void SetListIndex(int index) final;
};

// A drop-down list: its Text is the selected entry, and only an entry it
// has, or -1 for none, can be selected.
class ListControl : public Control {
 public:
  void SetText(std::u16string_view text) final;
  void SetListIndex(int index) final;

 protected:
  virtual int Count() const = 0;
  virtual void Select(int index) = 0;
};

class FormCore : public Form {
 public:
  FormCore(const FormCore&) = delete;
  FormCore& operator=(const FormCore&) = delete;

  // Runs the Load handler; call it once, before the window is first shown.
  // False when the program ended during Load (an error, or Unload).
  bool Load();

  bool ended() const { return ended_; }
  // The program's exit code once it has ended: 0 after Unload or a close,
  // kRunTimeErrorExitCode after an error.
  int exit_code() const { return exit_code_; }
  const FormDesign& design() const { return design_; }
  // The control that has the focus when the window first shows.
  const ControlDesign* FirstFocus() const;

  using Form::ControlNamed;
  Control& ControlNamed(std::u16string_view name) final;
  Control& ControlNamed(std::u16string_view name, int index) final;
  const AppInfo& App() const final { return app_; }
  void MsgBox(std::u16string_view text) final;
  void Unload() final;

 protected:
  // Checks the design (see CheckDesign): throws std::invalid_argument.
  FormCore(FormDesign design, FormHandlers& handlers, AppInfo app);
  ~FormCore() override;

  virtual std::unique_ptr<Control> BuildControl(const ControlDesign& design) = 0;
  virtual void ShowMessage(std::u16string_view caption, std::u16string_view text) = 0;
  virtual void Close() = 0;

  // Builds every control through BuildControl; call it once, from the
  // backend's constructor or its window's creation.
  void BuildControls();

  struct Built {
    const ControlDesign* design;
    std::unique_ptr<Control> control;
  };
  const Built* Find(std::u16string_view name, std::optional<int> index) const;

  // A click of the button designed as `button`, through Dispatch.
  void Click(const ControlDesign& button);
  // Runs `work` on the window's behalf: an exception ends the program with
  // its message and kRunTimeErrorExitCode.
  template <typename Work>
  void Dispatch(Work&& work) {
    if (auto message = Trapped(std::forward<Work>(work))) {
      ShowMessage(app_.title, *message);
      End(kRunTimeErrorExitCode);
    }
  }
  // Ends the program with `exit_code`, once: later ends change nothing.
  void End(int exit_code);
  // Notes that the window has gone (closed by the user or the system) without
  // closing it again.
  void Ended(int exit_code);

 private:
  FormDesign design_;
  FormHandlers& handlers_;
  AppInfo app_;
  std::vector<Built> built_;
  bool ended_ = false;
  int exit_code_ = 0;
};

}  // namespace rt::forms
