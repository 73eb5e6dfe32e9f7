#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures what users of KDE Plasma's and GNOME's Wayland sessions get from
# FretSight run as a Wayland client, against the X11 client that it is
# there by default (bench/wayland_native.py says what is measured).
# Usage: wayland-native.sh [PROGRAM]   (PROGRAM defaults to the tests build)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --measure
cmake --preset tests >/dev/null
cmake --build --preset tests -j "$(nproc)" >/dev/null
program=$(realpath "${1:-build/fretsight}")
. /etc/os-release
echo "== Debian $VERSION_ID, Qt $(qtpaths6 --qt-version 2>/dev/null || echo 6)"
# KWin offers its fake input only with its permission checks off, as its
# own tests run it; Debian 12 has no Python client for it.
if /usr/bin/python3 -c "import pywayland" 2>/dev/null; then
  KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 dbus-run-session -- \
    tests/x11/wayland_session.sh kwin /usr/bin/python3 bench/wayland_native.py "$program" kwin 2>/dev/null | grep '^kwin'
else
  echo "kwin: not measured (no python3-pywayland)"
fi
dbus-run-session -- \
  tests/x11/wayland_session.sh gnome /usr/bin/python3 bench/wayland_native.py "$program" gnome 2>/dev/null | grep '^gnome'
