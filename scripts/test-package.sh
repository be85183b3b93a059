#!/usr/bin/env bash
# SPDX-FileCopyrightText: The Corvel and Pellam authors
# SPDX-License-Identifier: MIT

# The packaging stage of the test command, also runnable on its own: builds the
# release .deb, validates its desktop entries and AppStream metainfo, installs
# it with apt, runs the end-to-end tests against the installed programs, on
# X11 and on Wayland, and removes it again. Needs the packages of `install-deps.sh test`.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target Corvel Pellam
rm -rf build/release/packages
cpack --preset release
debs=(build/release/packages/*.deb)
if ((${#debs[@]} != 1)); then
  echo "test-package.sh: expected one .deb, found ${#debs[@]}" >&2
  exit 1
fi
deb=$PWD/${debs[0]}
package=$(dpkg-deb --field "$deb" Package)

contents=$(mktemp -d)
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$contents/runtime}
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
cleanup() {
  if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
    apt-get remove -y "$package"
  fi
  rm -rf "$contents"
}
trap cleanup EXIT

# Debian's own checks of a package, at their default level: no error, no warning.
lintian --fail-on error,warning "$deb"
dpkg-deb --extract "$deb" "$contents"
desktop-file-validate "$contents"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml
for program in Corvel Pellam; do
  test -x "$contents/usr/bin/$program"
done

if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
  echo "test-package.sh: $package is installed already; remove it first" >&2
  trap - EXIT
  rm -rf "$contents"
  exit 1
fi
DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"

# The end-to-end tests find the controls by the rectangles the build writes out.
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$jobs" --target designs_json
designs=build/dev/designs.json
for program in Corvel Pellam; do
  entry=$(dpkg-query -L "$package" | grep "^/usr/share/applications/.*\.$program\.desktop$")
  for platform in "" --wayland; do
    /usr/bin/python3 tests/end_to_end.py $platform "$program" "/usr/bin/$program" "$designs" "$entry"
  done
done
echo "installed package $package passed its end-to-end tests"
