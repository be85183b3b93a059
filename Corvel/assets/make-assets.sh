#!/bin/sh
# Renders hourglass.svg into the images the program carries: the window icon
# (48 x 48, 32 bits with alpha), the picture (48 x 48 JPEG on white) and a
# Windows icon file with the usual sizes. Needs rsvg-convert (librsvg2-bin) and
# ImageMagick (imagemagick). Run it after editing the drawing and commit the
# results.
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

for size in 16 32 48; do
  rsvg-convert --width "$size" --height "$size" --output "$work/hourglass-$size.png" hourglass.svg
done

"$im" "$work/hourglass-48.png" -strip -define png:color-type=6 hourglass-icon.png
"$im" "$work/hourglass-48.png" -background white -alpha remove -alpha off -type TrueColor -strip \
  -quality 92 hourglass-picture.jpg
"$im" "$work/hourglass-48.png" "$work/hourglass-32.png" "$work/hourglass-16.png" hourglass.ico
