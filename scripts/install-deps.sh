#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Installs the Debian 12 packages that building, running and testing need,
# and only those that are missing. Usage: install-deps.sh [run|test]
set -euo pipefail

build=(g++ make cmake pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev
  fonts-liberation fonts-dejavu-core)
display=(xvfb xauth xdotool x11-utils imagemagick python3 python3-xlib openbox)
# The accessibility bus and a private D-Bus session to run it on.
a11y=(dbus at-spi2-core python3-gi gir1.2-atspi-2.0)
# A headless Wayland compositor and Qt's Wayland platform.
wayland=(weston qt6-wayland)
test=(clang-format clang-tidy-14 libgtest-dev libgmock-dev googletest libbenchmark-dev
  clang-14 libclang-rt-14-dev g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine wine64 librsvg2-bin unzip)
# Making the .deb and checking what it installs, and checking every file's
# licence.
package=(dpkg-dev desktop-file-utils appstream lintian reuse)

wanted=("${build[@]}" "${display[@]}")
if [[ "${1:-test}" == test ]]; then
  wanted+=("${a11y[@]}" "${wayland[@]}" "${test[@]}" "${package[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=()
if ((EUID != 0)); then
  sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
