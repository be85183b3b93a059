#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Installs what is missing, builds both programs and starts them: on the
# current display when there is one (Pellam on the example Wine prefix), else
# on a virtual display, where it clicks their buttons and saves screenshots.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh run
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"

build=build/release
export WINEPREFIX="$PWD/examples/wine-prefix"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 0700 "$XDG_RUNTIME_DIR"

if [[ -n "${DISPLAY:-}" ]]; then
  "$build/Corvel/Corvel" &
  "$build/Pellam/Pellam" &
  wait
else
  # The Windows programs too, under Wine, where their build tools are here.
  windows=()
  if command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null; then
    cmake --preset win64 >/dev/null
    cmake --build --preset win64 -j "$(nproc)" --target Corvel Pellam
    windows=("$PWD/build/win64")
  fi
  /usr/bin/python3 scripts/demo.py "$build" "$PWD/build/screenshots" "${windows[@]}"
fi
