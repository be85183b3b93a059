#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# The whole test command: installs what is missing, then checks formatting and
# every file's licence (reuse lint), and builds and tests every preset: Linux
# (dev, asan, and the release .deb checked by lintian, installed and tested end
# to end), Windows cross builds (win64 run under Wine, win32 built only) and the
# fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
stage() { printf '\n=== %s\n' "$*"; }

# Runs ctest and adds its count of tests to the total for the closing line.
passed=0
run_ctest() {
  local log
  log=$(mktemp)
  "$@" 2>&1 | tee "$log"
  passed=$((passed + $(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\)$/\1/p' "$log")))
  rm -f "$log"
}

# The .zip of a Windows build holds the two programs, the readme, the licence
# and the notices of the libraries linked into the programs, and nothing else.
check_zip() {
  local listed
  cpack --preset "$1"
  listed=$(unzip -Z1 build/"$1"/packages/*-"$1".zip | sed 's#^[^/]*/##' | grep -v '^$' | sort | xargs)
  echo "$1 .zip holds: $listed"
  [[ "$listed" == "Corvel.exe LICENSE.txt NOTICES.txt Pellam.exe readme.txt" ]]
}

stage "Installing missing packages"
scripts/install-deps.sh test

stage "Formatting"
mapfile -t sources < <(git ls-files '*.cpp' '*.hpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "${#sources[@]} files formatted"

stage "Licences"
reuse lint

# Keep Qt and Wine away from the user's own settings and prefix.
export XDG_RUNTIME_DIR
XDG_RUNTIME_DIR=$(mktemp -d)
chmod 0700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT

for preset in dev asan; do
  stage "Linux: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  run_ctest ctest --preset "$preset" -j "$jobs"
done

stage "clang-tidy over the dev build's sources"
root=$PWD
sources="^$root/(runtime|Corvel|Pellam|registry|bench|tests)/"
run-clang-tidy-14 -p build/dev -j "$jobs" -quiet -header-filter="$sources" "$sources.*\.cpp$"

stage "Linux: the .deb, installed and tested"
scripts/test-package.sh

stage "Windows i686: build, and read the programs back (not run: this kernel runs no 32-bit code)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
run_ctest ctest --preset win32
check_zip win32

stage "Windows x86_64: build and test under Wine"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
run_ctest scripts/with-wine.sh build/win64/wineprefix ctest --preset win64 -j "$jobs"
check_zip win64

stage "Reproducible: the packages made twice, a program of each platform built in another folder"
scripts/check-reproducible.sh

stage "Fuzzing"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
# Seeded with the registry of the real prefix that the Windows tests ran in.
fuzz/run.sh build/fuzz 60 build/win64/wineprefix

stage "All stages passed"
echo "tests: $passed passed, 0 failed"
