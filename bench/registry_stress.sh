#!/bin/sh
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# Reads one value from a prefix again and again while system.reg is
# overwritten in place by `cp`, in a loop, with two versions of it, and counts
# the answers: each must be the old value, the new value or a clean failure
# ("open 2"), and the reader must not die of a signal.
# Usage: bench/registry_stress.sh <registry-probe> <system.reg> [reads] [pause]
#   registry-probe: tests/Pellam/pellam_registry_probe of a Linux build
#   system.reg: a real one, e.g. from a prefix made with wineboot
#   pause: seconds between two copies (0: copy without a break)
set -eu
probe=$1
reads=${3:-5000}
pause=${4:-0}
work=$(mktemp -d)
writer=
trap 'touch "$work/stop"; wait $writer; rm -rf "$work"' EXIT INT TERM
key='Software\Microsoft\Windows NT\CurrentVersion'
cp "$2" "$work/old.reg"
# The new version: the value changed, and a key before it that moves every
# line after it.
sed -e 's/^"CurrentBuild"="[^"]*"/"CurrentBuild"="77777"/' \
    -e '0,/^\[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\]/s//[Software\\\\Aaa]\n"pad"="padding"\n\n&/' \
    "$work/old.reg" >"$work/new.reg"
cp "$work/old.reg" "$work/system.reg"
while [ ! -e "$work/stop" ]; do
  cp "$work/old.reg" "$work/system.reg"
  sleep "$pause"
  cp "$work/new.reg" "$work/system.reg"
  sleep "$pause"
done &
writer=$!
yes "HKEY_LOCAL_MACHINE|$key|CurrentBuild" | head -n "$reads" >"$work/cases"
status=0
WINEPREFIX=$work "$probe" <"$work/cases" >"$work/answers" || status=$?
echo "reader exit status: $status"
sed 's/^[^:]*: //' "$work/answers" | sort | uniq -c
