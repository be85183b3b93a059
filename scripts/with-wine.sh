#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# with-wine.sh PREFIX COMMAND...: runs COMMAND with a private 64-bit Wine prefix
# (made on first use, with the null graphics driver so that no X server is
# needed) and a wineserver kept running for the whole command, then ends it.
set -euo pipefail

export WINEPREFIX
WINEPREFIX=$(realpath -m "$1")
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null
  wineserver -w
fi

trap 'wineserver -k 2>/dev/null || true' EXIT
wineserver -p
# Start the prefix's background services now, with no terminal or pipe of the
# caller's: started by the first test instead, they would inherit its output
# pipe and keep the test runner waiting for it to close.
wine cmd /c exit </dev/null >/dev/null 2>&1
"$@"
