# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Sourced by the make-assets.sh scripts beside each program's drawings: sets
# $im to ImageMagick and $work to a temporary folder removed on exit, and
# defines render SVG SIZE OUT, which draws SVG as a SIZE x SIZE PNG. Needs
# rsvg-convert (librsvg2-bin) and ImageMagick (imagemagick).

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

render() {
  rsvg-convert --width "$2" --height "$2" --output "$3" "$1"
}
