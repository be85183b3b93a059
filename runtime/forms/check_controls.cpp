#include <algorithm>
#include <stdexcept>
#include <string>

#include "runtime/forms/form.hpp"

namespace rt::forms {
namespace {

// Control names are ASCII identifiers; anything else is shown as '?'.
std::string Printable(const ControlRef& ref) {
  std::string text;
  for (char16_t c : ref.name) {
    text += c < 0x80 ? static_cast<char>(c) : '?';
  }
  if (ref.index) {
    text += "(" + std::to_string(*ref.index) + ")";
  }
  return text;
}

}  // namespace

void CheckControls(const FormDesign& design, const FormHandlers& handlers) {
  for (const ControlRef& ref : handlers.Controls()) {
    bool found = std::ranges::any_of(design.controls, [&](const ControlDesign& control) {
      return ref.Is(control.name, control.index);
    });
    if (!found) {
      throw std::invalid_argument("the window " + Printable({design.name, std::nullopt}) +
                                  " has no control " + Printable(ref));
    }
  }
}

}  // namespace rt::forms
