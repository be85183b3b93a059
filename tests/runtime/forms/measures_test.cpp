// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <tuple>

#include "runtime/forms/backend.hpp"

namespace {

using rt::forms::ControlKind;

// Thicknesses scale to the nearest whole pixel, halves away from zero, and
// never vanish; text sits inside a text box's edge and margin and a bordered
// label's border, each scaled so.
TEST(MeasuresTest, ThicknessesAndTextInsetsScaleByOneRule) {
  const std::tuple<int, int, int> thicknesses[] = {
      {3, 96, 3}, {3, 144, 5}, {3, 192, 6}, {1, 144, 2}, {1, 120, 1}, {2, 144, 3}, {1, 24, 1}};
  for (const auto& [pixels, dpi, expected] : thicknesses) {
    EXPECT_EQ(rt::forms::ThicknessToPixels(pixels, dpi), expected) << pixels << " at " << dpi;
  }
  const std::tuple<ControlKind, bool, int, rt::forms::TextInset> insets[] = {
      {ControlKind::kTextBox, false, 96, {3, 2}},
      {ControlKind::kTextBox, false, 144, {5, 3}},
      {ControlKind::kLabel, true, 96, {1, 1}},
      {ControlKind::kLabel, true, 144, {2, 2}},
      {ControlKind::kLabel, false, 144, {0, 0}},
      {ControlKind::kCommandButton, true, 144, {0, 0}},
      {ControlKind::kDropDownList, false, 96, {0, 0}}};
  for (const auto& [kind, border, dpi, expected] : insets) {
    const rt::forms::ControlDesign control{.kind = kind, .border = border};
    const rt::forms::TextInset inset = rt::forms::TextInsetOf(control, dpi);
    EXPECT_EQ(inset, expected) << static_cast<int>(kind) << " at " << dpi << ": " << inset.left
                               << ", " << inset.top;
  }
}

}  // namespace
