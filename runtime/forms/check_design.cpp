// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <algorithm>
#include <stdexcept>
#include <string>

#include "runtime/forms/backend.hpp"
#include "runtime/forms/form.hpp"

namespace rt::forms {
namespace {

std::string Printable(const ControlRef& ref) {
  return DisplayName(ref.name, ref.index);
}

}  // namespace

void CheckDesign(const FormDesign& design, const FormHandlers& handlers) {
  auto fault = [&](const std::string& what) {
    throw std::invalid_argument("the window " + Printable({design.name, std::nullopt}) + " " +
                                what);
  };
  auto has = [&](const ControlRef& ref) {
    return std::ranges::any_of(design.controls, [&](const ControlDesign& control) {
      return ref.Is(control.name, control.index);
    });
  };
  for (const ControlRef& ref : handlers.Controls()) {
    if (!has(ref)) {
      fault("has no control " + Printable(ref));
    }
  }
  for (auto control = design.controls.begin(); control != design.controls.end(); ++control) {
    const ControlRef ref{control->name, control->index};
    if (std::any_of(design.controls.begin(), control, [&](const ControlDesign& earlier) {
          return ref.Is(earlier.name, earlier.index);
        })) {
      fault("has two controls named " + Printable(ref));
    }
    if (!control->buddy.empty() &&
        (control->kind != ControlKind::kLabel || !has({control->buddy, std::nullopt}))) {
      fault("has a buddy on " + Printable(ref) + ", which must be a label naming a control");
    }
    // A caption is its control's name; a name of its own would hide from a
    // screen reader the data that the program shows there.
    if (!control->accessible_name.empty() &&
        (control->kind == ControlKind::kLabel || control->kind == ControlKind::kCommandButton)) {
      fault("gives an accessible name to the caption of " + Printable(ref));
    }
  }
  for (const LineDesign& line : design.lines) {
    if (line.x1 != line.x2 && line.y1 != line.y2) {
      fault("has the sloping line " + Printable({line.name, std::nullopt}));
    }
  }
}

}  // namespace rt::forms
