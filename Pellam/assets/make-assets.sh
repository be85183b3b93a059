#!/bin/sh
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Renders window-icon.svg into the icon the program carries on Linux
# (32 x 32, 32 bits with alpha), the Windows icon file, and the desktop icons
# that the Linux install puts in the hicolor theme. Run it after editing the
# drawing and commit the results.
set -eu
cd "$(dirname "$0")"
. ../../scripts/svg-assets.sh

for size in 16 32 48 128; do
  render window-icon.svg "$size" "$work/window-$size.png"
  "$im" "$work/window-$size.png" -strip -define png:color-type=6 "hicolor-$size.png"
done
"$im" "$work/window-32.png" -strip -define png:color-type=6 window-icon.png
# The Windows icon file holds three small classic images on white: 32 x 32 in
# black and white, 32 x 32 and 16 x 16 in 16 colours.
opaque() { "$im" "$1" -background white -alpha remove -alpha off "$2"; }
opaque "$work/window-32.png" "$work/opaque-32.png"
opaque "$work/window-16.png" "$work/opaque-16.png"
"$im" "$work/opaque-32.png" -monochrome -type Bilevel "$work/mono-32.bmp"
"$im" "$work/opaque-32.png" -dither None -colors 16 -type Palette "$work/colour-32.png"
"$im" "$work/opaque-16.png" -dither None -colors 16 -type Palette "$work/colour-16.png"
"$im" "$work/mono-32.bmp" "$work/colour-32.png" "$work/colour-16.png" window-icon.ico
