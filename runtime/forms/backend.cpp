// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/forms/backend.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>

namespace rt::forms {
namespace {

bool NeedsLabel(const ControlDesign& control) {
  return control.kind == ControlKind::kTextBox || control.kind == ControlKind::kDropDownList;
}

const ControlDesign* NamingLabel(const FormDesign& design, const ControlDesign& control) {
  for (const auto& label : design.controls) {
    if (label.kind == ControlKind::kLabel && !label.buddy.empty() && label.buddy == control.name) {
      return &label;
    }
  }
  if (control.accessible_name.empty()) {
    return nullptr;
  }
  for (const auto& label : design.controls) {
    if (label.kind == ControlKind::kLabel &&
        label.text.find(control.accessible_name) != std::u16string::npos) {
      return &label;
    }
  }
  return nullptr;
}

}  // namespace

int TwipsToPixels(double twips, int dpi) {
  constexpr double kTwipsPerInch = 1440;
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int ThicknessToPixels(int pixels, int dpi) {
  return std::max(1, static_cast<int>(std::lround(static_cast<double>(pixels) * dpi / kLayoutDpi)));
}

TextInset TextInsetOf(const ControlDesign& control, int dpi) {
  if (control.kind == ControlKind::kTextBox) {
    const int edge = ThicknessToPixels(kTextBoxEdgePixels, dpi);
    return {edge + ThicknessToPixels(kTextBoxMarginPixels, dpi), edge};
  }
  if (control.kind == ControlKind::kLabel && control.border) {
    const int border = ThicknessToPixels(kBorderPixels, dpi);
    return {border, border};
  }
  return {};
}

std::string DisplayName(std::u16string_view name, std::optional<int> index) {
  std::string text;
  for (char16_t c : name) {
    text += c < 0x80 ? static_cast<char>(c) : '?';
  }
  if (index) {
    // Appended piece by piece: GCC 12 warns of a false overlap in "(" + ....
    text += '(';
    text += std::to_string(*index);
    text += ')';
  }
  return text;
}

bool ShowsBackColour(const ControlDesign& control) {
  return control.kind != ControlKind::kCommandButton || control.graphical;
}

std::vector<const ControlDesign*> FocusOrder(const FormDesign& design) {
  std::vector<const ControlDesign*> stops;
  for (const auto& control : design.controls) {
    if (control.tab_index) {
      stops.push_back(&control);
    }
  }
  std::ranges::stable_sort(stops, {}, [](const auto* control) { return *control->tab_index; });
  return stops;
}

std::vector<const ControlDesign*> CreationOrder(const FormDesign& design) {
  std::vector<const ControlDesign*> order;
  auto add = [&order](const ControlDesign* control) {
    if (std::ranges::find(order, control) == order.end()) {
      order.push_back(control);
    }
  };
  for (const auto* stop : FocusOrder(design)) {
    if (NeedsLabel(*stop)) {
      if (const auto* label = NamingLabel(design, *stop)) {
        add(label);
      }
    }
    add(stop);
  }
  for (const auto& control : design.controls) {
    add(&control);
  }
  return order;
}

const Font& FontOf(const ControlDesign& control) {
  return control.font ? *control.font : kDefaultFont;
}

const Font& CommonFont(const FormDesign& design) {
  const Font* common = &kDefaultFont;
  std::ptrdiff_t most = 0;
  for (const auto& control : design.controls) {
    const Font& font = FontOf(control);
    const std::ptrdiff_t uses = std::ranges::count_if(
        design.controls, [&font](const ControlDesign& other) { return FontOf(other) == font; });
    if (uses > most) {
      common = &font;
      most = uses;
    }
  }
  return *common;
}

std::vector<const ControlDesign*> StackingOrder(const FormDesign& design) {
  std::vector<const ControlDesign*> order;
  for (const auto& control : design.controls) {
    order.push_back(&control);
  }
  return order;
}

int TextControl::ListIndex() const {
  throw std::logic_error("only a drop-down list has a list index");
}

void TextControl::SetListIndex(int /*index*/) {
  throw std::logic_error("only a drop-down list has a list index");
}

void ListControl::SetText(std::u16string_view /*text*/) {
  throw std::logic_error("a drop-down list's text is its selected entry");
}

void ListControl::SetListIndex(int index) {
  if (index < -1 || index >= Count()) {
    throw std::out_of_range("no such entry in the drop-down list");
  }
  Select(index);
}

FormCore::FormCore(FormDesign design, FormHandlers& handlers, AppInfo app)
    : design_(std::move(design)), handlers_(handlers), app_(std::move(app)) {
  CheckDesign(design_, handlers_);
}

FormCore::~FormCore() = default;

void FormCore::BuildControls() {
  for (const auto* control : CreationOrder(design_)) {
    built_.push_back({control, BuildControl(*control)});
  }
}

const FormCore::Built* FormCore::Find(std::u16string_view name, std::optional<int> index) const {
  auto found = std::ranges::find_if(built_, [&](const Built& each) {
    return ControlRef{name, index}.Is(each.design->name, each.design->index);
  });
  return found == built_.end() ? nullptr : &*found;
}

const ControlDesign* FormCore::FirstFocus() const {
  auto stops = FocusOrder(design_);
  return stops.empty() ? nullptr : stops.front();
}

Control& FormCore::ControlNamed(std::u16string_view name) {
  if (const Built* found = Find(name, std::nullopt)) {
    return *found->control;
  }
  throw std::out_of_range("no such control: " + DisplayName(name));
}

Control& FormCore::ControlNamed(std::u16string_view name, int index) {
  if (const Built* found = Find(name, index)) {
    return *found->control;
  }
  throw std::out_of_range("no such control: " + DisplayName(name, index));
}

bool FormCore::Load() {
  Dispatch([this] { handlers_.Load(*this); });
  return !ended_;
}

void FormCore::MsgBox(std::u16string_view text) {
  ShowMessage(app_.title, text);
}

void FormCore::Unload() {
  End(0);
}

void FormCore::Click(const ControlDesign& button) {
  // Copies: the handler may end the window and its controls with it.
  std::u16string name = button.name;
  std::optional<int> index = button.index;
  Dispatch([&] { handlers_.Click(*this, name, index); });
}

void FormCore::End(int exit_code) {
  if (ended_) {
    return;
  }
  Ended(exit_code);
  Close();
}

void FormCore::Ended(int exit_code) {
  if (ended_) {
    return;
  }
  ended_ = true;
  exit_code_ = exit_code;
}

}  // namespace rt::forms
