// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <algorithm>
#include <stdexcept>
#include <string>

#include "runtime/forms/backend.hpp"
#include "runtime/forms/form.hpp"

namespace rt::forms {
void CheckDesign(const FormDesign& design, const FormHandlers& handlers) {
  auto fault = [&](const std::string& what) {
    throw std::invalid_argument("the window " + DisplayName(design.name) + " " + what);
  };
  auto has = [&](const ControlRef& ref) {
    return std::ranges::any_of(design.controls, [&](const ControlDesign& control) {
      return ref.Is(control.name, control.index);
    });
  };
  for (const ControlRef& ref : handlers.Controls()) {
    if (!has(ref)) {
      fault("has no control " + DisplayName(ref.name, ref.index));
    }
  }
  for (auto control = design.controls.begin(); control != design.controls.end(); ++control) {
    const ControlRef ref{control->name, control->index};
    if (std::any_of(design.controls.begin(), control, [&](const ControlDesign& earlier) {
          return ref.Is(earlier.name, earlier.index);
        })) {
      fault("has two controls named " + DisplayName(ref.name, ref.index));
    }
    if (!control->buddy.empty() &&
        (control->kind != ControlKind::kLabel || !has({control->buddy, std::nullopt}))) {
      fault("has a buddy on " + DisplayName(ref.name, ref.index) +
            ", which must be a label naming a control");
    }
    // A caption is its control's name; a name of its own would hide from a
    // screen reader the data that the program shows there.
    if (!control->accessible_name.empty() &&
        (control->kind == ControlKind::kLabel || control->kind == ControlKind::kCommandButton)) {
      fault("gives an accessible name to the caption of " + DisplayName(ref.name, ref.index));
    }
  }
  for (const LineDesign& line : design.lines) {
    if (line.x1 != line.x2 && line.y1 != line.y2) {
      fault("has the sloping line " + DisplayName(line.name));
    }
  }
}

}  // namespace rt::forms
