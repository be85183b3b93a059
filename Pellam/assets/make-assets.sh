#!/bin/sh
# Renders window-icon.svg into the icon the program carries on Linux
# (32 x 32, 32 bits with alpha) and a Windows icon file with 32 x 32 and
# 16 x 16 images. Needs rsvg-convert (librsvg2-bin) and ImageMagick
# (imagemagick). Run it after editing the drawing and commit the results.
set -eu
cd "$(dirname "$0")"

# Debian's ImageMagick 6 installs convert-im6.q16; "convert" may be another
# program of that name earlier on PATH.
if command -v convert-im6.q16 >/dev/null 2>&1; then
  im=convert-im6.q16
elif command -v magick >/dev/null 2>&1; then
  im=magick
else
  echo "make-assets.sh: ImageMagick not found (install imagemagick)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 16 32; do
  rsvg-convert --width "$size" --height "$size" --output "$work/window-$size.png" window-icon.svg
done
"$im" "$work/window-32.png" -strip -define png:color-type=6 window-icon.png
"$im" "$work/window-32.png" "$work/window-16.png" window-icon.ico
