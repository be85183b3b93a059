// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#include "runtime/forms/font_height.hpp"

#include <cmath>

namespace rt::forms {

int FontPixelHeight(double points, int dpi) {
  constexpr double kPointsPerInch = 72;
  return static_cast<int>(std::lround(points * dpi / kPointsPerInch));
}

int FittingFontPixelHeight(double points, int dpi, int box_width,
                           const std::function<int(int em_height)>& ink_width) {
  int height = FontPixelHeight(points, dpi);
  while (height > 1 && ink_width(height) > box_width) {
    --height;
  }
  return height;
}

}  // namespace rt::forms
