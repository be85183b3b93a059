// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/forms/font_height.hpp"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// A caption whose ink is 21 pixels per pixel of em height, in boxes of a few
// widths: the designed height while it fits, else the largest that does.
TEST(FontHeightTest, StepsDownToTheHeightAtWhichTheCaptionFits) {
  const auto ink = [](int height) { return 21 * height; };
  const std::tuple<int, int> rows[] = {{420, 20},  {419, 19}, {399, 19}, {398, 18},
                                       {1000, 20}, {21, 1},   {0, 1}};
  for (const auto& [box, height] : rows) {
    EXPECT_EQ(rt::forms::FittingFontPixelHeight(9.75, 144, box, ink), height) << box;
  }
}

}  // namespace
