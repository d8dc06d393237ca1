#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# Builds the .deb of a build folder, checks that apt can satisfy its Depends on
# this system, unpacks it into a scratch root and runs the program from there.
#   tools/check_package.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build"/vexlo_*.deb | head -1)
echo "package: $deb"
dpkg-deb --info "$deb" | sed -n 's/^ *Depends: /Depends: /p'
# Every dependency resolves against this system's package lists.
apt-get install --simulate --no-install-recommends "./$deb" >/dev/null 2>&1 \
  || apt-get install --simulate --no-install-recommends "$(realpath "$deb")" >/dev/null
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
test -f "$root/usr/share/applications/org.vexlo.Vexlo.desktop"
test -f "$root/usr/share/metainfo/org.vexlo.Vexlo.metainfo.xml"
desktop-file-validate "$root/usr/share/applications/org.vexlo.Vexlo.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.vexlo.Vexlo.metainfo.xml"
"$root/usr/bin/vexlo" --version
