#!/bin/sh
# Runs the .reg parser fuzzer for a while over the hand-written seeds in
# corpus/ and, when a Wine prefix is named, that prefix's registry files.
# Usage: fuzz/run.sh <fuzz-build-dir> <seconds (at most 60)> [wine-prefix]
set -eu
build=$1
seconds=$2
prefix=${3:-}
[ "$seconds" -gt 60 ] && seconds=60
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

mkdir "$work/corpus" "$work/tmp"
cp "$here"/corpus/* "$work/corpus/"
if [ -n "$prefix" ]; then
  for file in system.reg user.reg userdef.reg; do
    [ -f "$prefix/$file" ] && cp "$prefix/$file" "$work/corpus/prefix-$file"
  done
fi

TMPDIR=$work/tmp "$build/fuzz/reg_file_fuzzer" -max_total_time="$seconds" -timeout=20 \
  -rss_limit_mb=2048 -print_final_stats=1 "$work/corpus"
