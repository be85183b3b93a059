// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/forms/font_height.hpp"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Points at a DPI, to the nearest whole pixel, a half up.
TEST(FontHeightTest, IsTheNearestWholePixel) {
  const std::tuple<double, int, int> rows[] = {{8.25, 96, 11},  {9.75, 96, 13},  {12, 96, 16},
                                               {8.25, 144, 17}, {9.75, 144, 20}, {12, 144, 24},
                                               {9.75, 192, 26}, {8.25, 120, 14}};
  for (const auto& [points, dpi, pixels] : rows) {
    EXPECT_EQ(rt::forms::FontPixelHeight(points, dpi), pixels) << points << " pt at " << dpi;
  }
}

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
