#!/bin/sh
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Renders hourglass.svg into the images the program carries: the window icon
# (48 x 48, 32 bits with alpha), the picture (48 x 48 JPEG on white, and at
# 96 x 96 for screens of twice the density), the 48 x 48 picture decoded into
# an uncompressed bitmap (what the Windows program carries, so that it shows the
# picture without an image decoder), a Windows icon file with 48, 32, 24 and 16
# pixel images, 32 bits with alpha, and the desktop icons that the Linux install
# puts in the hicolor theme. Run it after editing the drawing and commit the
# results.
set -eu
cd "$(dirname "$0")"
. ../../scripts/svg-assets.sh

for size in 16 24 32 48 96 128; do
  render hourglass.svg "$size" "$work/hourglass-$size.png"
done
for size in 16 32 48 128; do
  "$im" "$work/hourglass-$size.png" -strip -define png:color-type=6 "hicolor-$size.png"
done

"$im" "$work/hourglass-48.png" -strip -define png:color-type=6 hourglass-icon.png
"$im" "$work/hourglass-48.png" -background white -alpha remove -alpha off -type TrueColor -strip \
  -quality 92 hourglass-picture.jpg
"$im" hourglass-picture.jpg -type TrueColor BMP3:hourglass-picture.bmp
"$im" "$work/hourglass-96.png" -background white -alpha remove -alpha off -type TrueColor -strip \
  -quality 92 hourglass-picture@2x.jpg
"$im" "$work/hourglass-48.png" "$work/hourglass-32.png" "$work/hourglass-24.png" "$work/hourglass-16.png" \
  hourglass.ico
