#!/bin/sh
# Renders window-icon.svg into the icon the program carries on Linux
# (32 x 32, 32 bits with alpha), a Windows icon file with 32 x 32 and 16 x 16
# images, and the desktop icons that the Linux install puts in the hicolor
# theme. Run it after editing the drawing and commit the results.
set -eu
cd "$(dirname "$0")"
. ../../scripts/svg-assets.sh

for size in 16 32 48 128; do
  render window-icon.svg "$size" "$work/window-$size.png"
  "$im" "$work/window-$size.png" -strip -define png:color-type=6 "hicolor-$size.png"
done
"$im" "$work/window-32.png" -strip -define png:color-type=6 window-icon.png
"$im" "$work/window-32.png" "$work/window-16.png" window-icon.ico
