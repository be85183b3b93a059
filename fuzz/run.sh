#!/bin/sh
# Runs the .reg parser fuzzer for a while over the hand-written seeds in
# corpus/ and the registry files of a real prefix.
# Usage: fuzz/run.sh <fuzz-build-dir> <seconds (at most 60)> [wine-prefix]
# Without a prefix, the one the dev build's tests made is used, else one is
# made with wineboot in a temporary directory.
set -eu
build=$1
seconds=$2
prefix=${3:-}
made_prefix=
[ "$seconds" -gt 60 ] && seconds=60
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
cleanup() {
  if [ -n "$made_prefix" ]; then
    WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

if [ -z "$prefix" ] && [ -f "$here/../build/dev/tests/Pellam/wine-prefix/query.txt" ]; then
  prefix=$here/../build/dev/tests/Pellam/wine-prefix
fi
if [ -z "$prefix" ]; then
  prefix=$work/prefix
  made_prefix=yes
  WINEPREFIX="$prefix" WINEDEBUG=-all wineboot -i >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
fi

mkdir "$work/corpus" "$work/tmp"
cp "$here"/corpus/* "$work/corpus/"
for file in system.reg user.reg userdef.reg; do
  [ -f "$prefix/$file" ] && cp "$prefix/$file" "$work/corpus/prefix-$file"
done

TMPDIR=$work/tmp "$build/fuzz/reg_file_fuzzer" -max_total_time="$seconds" -timeout=20 \
  -rss_limit_mb=2048 -print_final_stats=1 "$work/corpus"
