#!/bin/sh
# Makes a Wine prefix in $1 (once per build tree), writes values of every type
# with `wine reg add`, records what `wine reg query` says of them in
# $1/query.txt, and waits until wineserver has written the registry files and
# exited, so no Wine process is left behind.
set -eu
prefix=$1
[ -f "$prefix/query.txt" ] && exit 0

export WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL=C.UTF-8
rm -rf "$prefix"
wineboot -i >/dev/null 2>&1
key='HKCU\Software\Pellam Test'
add() { wine reg add "$@" /f >/dev/null; }
add "$key" /v Text /t REG_SZ /d 'hello world'
add "$key" /v Empty /t REG_SZ /d ''
add "$key" /v Expand /t REG_EXPAND_SZ /d '%SystemRoot%\system32'
add "$key" /v Multi /t REG_MULTI_SZ /d 'one\0two\0three'
add "$key" /v Number /t REG_DWORD /d 42
add "$key" /v Largest /t REG_DWORD /d 4294967295
add "$key" /v Quad /t REG_QWORD /d 0x123456789abcdef0
add "$key" /v Bytes /t REG_BINARY /d 01020aff
add "$key" /v Nothing /t REG_NONE
add "$key" /v Swapped /t REG_DWORD_BIG_ENDIAN /d 258
add "$key" /ve /d 'the default'
add "$key\\Ωμέγα" /v 'Café' /d 'naïve'
add 'HKLM\Software\Pellam Test\Sub' /v Machine /d 'in system.reg'
wine reg query "$key" >"$prefix/query.tmp"
wineserver -w
mv "$prefix/query.tmp" "$prefix/query.txt"
