// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/forms/design.hpp"

namespace rt::forms {

// A control as handlers name it: by name, and by index for the member of a
// control array. Handlers keep one constant per control they use, so that the
// design and the code cannot disagree on a spelling unnoticed.
struct ControlRef {
  std::u16string_view name;
  std::optional<int> index;
  bool Is(std::u16string_view other_name, std::optional<int> other_index) const {
    return name == other_name && index == other_index;
  }
};

// A live control, as handlers see it. Text is a label's or button's Caption, a
// text box's Text, or the selected entry of a drop-down list.
class Control {
 public:
  virtual ~Control() = default;
  virtual std::u16string Text() const = 0;
  virtual void SetText(std::u16string_view text) = 0;
  // Drop-down lists only: the selected entry, -1 for none.
  virtual int ListIndex() const = 0;
  virtual void SetListIndex(int index) = 0;
};

// A live window, as handlers see it. Measures are twips, as single-precision
// values; Width and Height are the window's outer size.
class Form {
 public:
  virtual ~Form() = default;

  // The control of that name (and index, for a control array); a name that
  // the design does not have is a programming error and throws
  // std::out_of_range.
  virtual Control& ControlNamed(std::u16string_view name) = 0;
  virtual Control& ControlNamed(std::u16string_view name, int index) = 0;
  Control& ControlNamed(const ControlRef& ref) {
    return ref.index ? ControlNamed(ref.name, *ref.index) : ControlNamed(ref.name);
  }

  virtual float Width() const = 0;
  virtual float Height() const = 0;
  virtual void SetLeft(float twips) = 0;
  virtual void SetTop(float twips) = 0;
  virtual float ScreenWidth() const = 0;
  virtual float ScreenHeight() const = 0;

  virtual const AppInfo& App() const = 0;
  // Modal message box: the text, one OK button, no icon, the App's title as caption.
  virtual void MsgBox(std::u16string_view text) = 0;
  // Closes the window; the program ends with its only window.
  virtual void Unload() = 0;
};

// A window's code: one handler per control event. The backend calls Load
// before the window is first shown and Click for every click of a button.
class FormHandlers {
 public:
  virtual ~FormHandlers() = default;
  // Every control the handlers read, write or answer clicks of.
  virtual std::vector<ControlRef> Controls() const = 0;
  virtual void Load(Form& form) = 0;
  virtual void Click(Form& form, std::u16string_view control, std::optional<int> index) = 0;
};

// FormCore's constructor calls this, before any handler runs:
// throws std::invalid_argument for the first fault of the design, so that
// both backends refuse the same designs. The faults: a control of
// handlers.Controls() that the design lacks (a misspelt name would otherwise
// be silently ignored by a click), two controls of one name and index, a
// sloping line, a buddy that is not a label's or names no control, and an
// accessible name on a label or button.
void CheckDesign(const FormDesign& design, const FormHandlers& handlers);

}  // namespace rt::forms
