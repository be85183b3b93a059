// SPDX-FileCopyrightText: The Corvel and Pellam authors
// SPDX-License-Identifier: MIT

// Both programs' real windows, through the behaviour suite's driver of each
// backend, at each DPI the backend's test shows them at: each loads and keeps
// its designed size, every caption fits its control on one line in the font
// it is drawn in, and above 96 dpi the picture comes from the image made for
// twice the density; at whole multiples of 96 dpi the window shows that image
// pixel for pixel. Where controls overlap (by a pixel, such as a text box's
// edge under the label above it), the later one of the design is on top: at
// whole multiples of the layout's DPI the window shows there what that one
// draws, and beside the overlap what the earlier one draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "backend_driver.hpp"
#include "tests/support/real_windows.hpp"

namespace {

using rt::forms::ControlKind;
using testsupport::Image;
using testsupport::Pixels;

// How many pixels of `part` differ from the window's, `part` placed at x, y.
int Differences(const Image& window, const Image& part, int x, int y) {
  int differences = 0;
  for (int row = 0; row < part.height; ++row) {
    for (int column = 0; column < part.width; ++column) {
      differences += window.At(x + column, y + row) == part.At(column, row) ? 0 : 1;
    }
  }
  return differences;
}

TEST(RealWindowsTest, EachLoadsFitsItsCaptionsFollowsTheDpiAndStacksAsDesigned) {
  testsupport::RealWindows windows;
  const auto driver = testsupport::MakeDriver();
  for (const auto& [design, handlers, app] : windows.all) {
    SCOPED_TRACE(std::string(design.name.begin(), design.name.end()));
    driver->Open(design, handlers, app);
    ASSERT_TRUE(driver->form().Load())
        << std::string(driver->messages.begin(), driver->messages.end());
    driver->Show();
    for (int dpi : driver->dpis) {
      const int layout = driver->UseDpi(dpi);
      SCOPED_TRACE("at " + std::to_string(dpi) + " dpi");
      // Device pixels per pixel of the layout, where they are whole.
      const int whole = dpi % layout == 0 ? dpi / layout : 0;
      EXPECT_EQ(driver->WindowRect(false),
                (testsupport::PixelRect{0, 0, Pixels(design.client_width, layout),
                                        Pixels(design.client_height, layout)}));
      const Image window = driver->WindowImage();
      for (const auto& control : design.controls) {
        const auto [ink, line, width, height] = driver->See({control.name, control.index}).caption;
        EXPECT_TRUE(ink <= width && line <= height)
            << rt::forms::DisplayName(control.name, control.index);
      }
      if (design.picture) {
        EXPECT_EQ(driver->PictureDensity(), dpi > 96 ? 2 : 1);
        if (dpi % 96 == 0) {
          const Image source = driver->SourceImage(design.picture->image, dpi / 96);
          ASSERT_GT(source.width, 0);
          EXPECT_EQ(Differences(window, source, Pixels(design.picture->left, layout) * whole,
                                Pixels(design.picture->top, layout) * whole),
                    0);
        }
      }
      int overlaps = 0;
      for (auto lower = design.controls.begin(); lower != design.controls.end(); ++lower) {
        for (auto upper = lower + 1; upper != design.controls.end(); ++upper) {
          const auto [lx, ly, lw, lh] = driver->See({lower->name, lower->index}).geometry;
          const auto [ux, uy, uw, uh] = driver->See({upper->name, upper->index}).geometry;
          const int left = std::max(lx, ux);
          const int top = std::max(ly, uy);
          const int right = std::min(lx + lw, ux + uw);
          const int bottom = std::min(ly + lh, uy + uh);
          if (left >= right || top >= bottom) {
            continue;
          }
          ++overlaps;
          if (whole == 0) {
            continue;
          }
          SCOPED_TRACE(rt::forms::DisplayName(lower->name, lower->index) + " under " +
                       rt::forms::DisplayName(upper->name, upper->index));
          const int x = (left + right - 1) / 2;
          const int y = (top + bottom - 1) / 2;
          // Beside the overlap, a strip along one edge: towards the middle.
          const bool across = bottom - top < lh;
          const int beside_x = across ? x : lx + lw / 2;
          const int beside_y = across ? ly + lh / 2 : y;
          EXPECT_EQ(window.At(x * whole, y * whole),
                    driver->ControlImage({upper->name, upper->index})
                        .At((x - ux) * whole, (y - uy) * whole));
          EXPECT_EQ(window.At(beside_x * whole, beside_y * whole),
                    driver->ControlImage({lower->name, lower->index})
                        .At((beside_x - lx) * whole, (beside_y - ly) * whole));
        }
      }
      EXPECT_GT(overlaps, 0);
    }
  }
}

}  // namespace
