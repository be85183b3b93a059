#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Checks that the packages are reproducible, cheaply: the .deb and the win64
# .zip made a second time, with every packaged file touched in between, must
# be the same bytes; and one program of each platform (Pellam on Linux,
# Corvel.exe), built again from a copy of the sources in another folder, the
# same bytes as in this one. Run after the release and win64 programs are
# built (test-package.sh and the win64 stage of test.sh do that).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

same() {
  if ! cmp -s "$1" "$2"; then
    echo "check-reproducible.sh: $1 and $2 differ ($(cmp -l "$1" "$2" | wc -l) bytes)" >&2
    exit 1
  fi
  echo "reproducible: $1 ($(sha256sum <"$1" | cut -c1-16))"
}

# Packs a preset twice, its packaged files touched in between.
pack_twice() {
  local preset=$1 pattern=$2 first
  cpack --preset "$preset" -B "$work/$preset-1" >/dev/null
  find "build/$preset/Corvel" "build/$preset/Pellam" -maxdepth 1 -type f -exec touch {} +
  cpack --preset "$preset" -B "$work/$preset-2" >/dev/null
  first=$(echo "$work/$preset-1"/$pattern)
  same "$first" "$work/$preset-2/$(basename "$first")"
}
pack_twice release '*.deb'
pack_twice win64 '*.zip'

# Two packings on one machine list a folder in the same order and give files
# the same owner; elsewhere they need not, so the .zip must name no owner and
# hold its entries in order of name.
/usr/bin/python3 - "$work"/win64-1/*.zip <<'END'
import sys, zipfile
entries = zipfile.ZipFile(sys.argv[1]).infolist()
names = [entry.filename for entry in entries]
owned = [entry.filename for entry in entries if b"ux" in entry.extra]
if names != sorted(names) or owned:
    sys.exit("check-reproducible.sh: the .zip holds %s, owned: %s" % (names, owned))
END

# The sources as they are now (tracked, or new and not ignored), in a folder
# of another name and depth, every file with a new time.
copy=$work/elsewhere/corvel-pellam
mkdir -p "$copy"
git ls-files -z --cached --others --exclude-standard |
  tar --null -T - -cf - | tar -xf - --touch -C "$copy"
(
  # The copy has no git history to read the date from.
  export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
  cd "$copy"
  cmake --preset release -DCP_BUILD_TESTS=OFF >/dev/null
  cmake --build --preset release -j "$jobs" --target Pellam >/dev/null
  cmake --preset win64 -DCP_BUILD_TESTS=OFF >/dev/null
  cmake --build --preset win64 -j "$jobs" --target Corvel >/dev/null
)
same build/release/Pellam/Pellam "$copy/build/release/Pellam/Pellam"
same build/win64/Corvel/Corvel.exe "$copy/build/win64/Corvel/Corvel.exe"
