#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Vexlo developers
# Installs the build into a staging root (DESTDIR, prefix /usr) and checks that
# everything a desktop needs lies where it looks for it, that the desktop entry
# and the AppStream metadata validate, and that the installed program runs and
# finds its data files from the installed tree.
#   check_install.sh BUILD_DIR
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
id=org.vexlo.Vexlo
fail=0
expect() {
  if [[ ! -f "$stage/usr/$1" ]]; then echo "missing: /usr/$1"; fail=1; fi
}
expect bin/vexlo
expect share/applications/$id.desktop
expect share/metainfo/$id.metainfo.xml
expect share/icons/hicolor/scalable/apps/$id.svg
for side in 16 22 24 32 48 64 128 256; do expect share/icons/hicolor/${side}x${side}/apps/$id.png; done
expect share/man/man1/vexlo.1
expect share/doc/vexlo/LICENSE
for n in $(seq 1 15); do expect share/vexlo/filters/$n.fff; done
expect share/vexlo/help/vx_whyblank.htm
[[ $fail -eq 0 ]] || exit 1

# The desktop entry's icon and command name what is installed.
grep -qx "Icon=$id" "$stage/usr/share/applications/$id.desktop"
grep -qx 'Exec=vexlo %f' "$stage/usr/share/applications/$id.desktop"
grep -qx 'MimeType=image/gif;' "$stage/usr/share/applications/$id.desktop"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$stage/usr/share/applications/$id.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$stage/usr/share/metainfo/$id.metainfo.xml" >/dev/null
fi
if command -v man >/dev/null; then
  man -l "$stage/usr/share/man/man1/vexlo.1" >/dev/null 2>&1 || { echo "man page does not format"; exit 1; }
fi

# The installed program runs and finds the filter pictures of its own tree
# (beside nothing, through <prefix>/share/vexlo).
"$stage/usr/bin/vexlo" --version | grep -q '^vexlo '
work="$stage/work"
mkdir -p "$work/pics"
cp "$(dirname "$0")/../../res/icons/vexlo-32.png" "$work/pics/a.png"
cp "$(dirname "$0")/../../res/icons/vexlo-64.png" "$work/pics/b.png"
(cd "$work" && env -u VEXLO_DATA_DIR XDG_DATA_DIRS=/nonexistent QT_QPA_PLATFORM=offscreen \
  "$stage/usr/bin/vexlo" gif pics -o out.gif --filter 3 >/dev/null 2>err.txt) || { cat "$work/err.txt"; exit 1; }
if grep -q 'no file 3.fff' "$work/err.txt"; then echo "installed program did not find its filters"; exit 1; fi
echo "install ok"
