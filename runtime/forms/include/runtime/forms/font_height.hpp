// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>

// The pixel height of a designed font, for toolkits that draw fonts only at
// whole pixel heights (GDI): one rule for every backend that needs it.
namespace rt::forms {

// The em height, in whole pixels, of a font of `points` at `dpi`: the nearest
// whole pixel, a half rounded up (9.75 points at 144 dpi: 19.5 -> 20).
int FontPixelHeight(double points, int dpi);

// The em height that a caption is drawn at: FontPixelHeight, or where the
// caption's ink at that height is wider than its box, the largest smaller
// height at which it fits. `ink_width` measures the caption at an em height;
// the search stops at 1 pixel. A rounded-up half pixel, or a stand-in face
// wider than the designed one, can make a caption that fits as designed a
// few pixels too wide: one pixel less of height narrows it by about 5 %.
int FittingFontPixelHeight(double points, int dpi, int box_width,
                           const std::function<int(int em_height)>& ink_width);

}  // namespace rt::forms
