#!/bin/sh
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Runs the .reg parser fuzzer for a while over the hand-written seeds in
# corpus/ and, when a Wine prefix is named, that prefix's registry files.
# Usage: fuzz/run.sh <fuzz-build-dir> <seconds> [wine-prefix]
set -eu
build=$1
seconds=$2
prefix=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

mkdir "$work/corpus" "$work/tmp"
cp "$here"/corpus/* "$work/corpus/"
if [ -n "$prefix" ]; then
  for file in system.reg user.reg userdef.reg; do
    if [ -f "$prefix/$file" ]; then
      cp "$prefix/$file" "$work/corpus/prefix-$file"
    fi
  done
fi
# Every seed is first run whole: a real system.reg (1.7 MB) is longer than
# libFuzzer's default -max_len, which would drop it. Mutating inputs that long
# runs a few a second, so the timed run that follows mutates inputs of at
# most 64 KiB, the real files among them cut to that length.
max_len=$(for seed in "$work"/corpus/*; do wc -c <"$seed"; done | sort -n | tail -n 1)
export TMPDIR="$work/tmp"
"$build/fuzz/reg_file_fuzzer" -runs=0 -max_len="$max_len" -rss_limit_mb=2048 "$work/corpus"
"$build/fuzz/reg_file_fuzzer" -max_total_time="$seconds" -timeout=20 -max_len=65536 \
  -rss_limit_mb=2048 -print_final_stats=1 "$work/corpus"
