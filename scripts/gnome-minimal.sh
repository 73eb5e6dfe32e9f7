#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the GNOME Shell desktop check (tests/x11/desktop_check.py) on X11 as
# a minimal install gets it: gnome-shell and the program's own package,
# with no recommended packages (so no Qt platform theme), and the check's
# tools. For a throw-away chroot, as root:
#   scripts/chroot.sh 13 --fresh bash scripts/gnome-minimal.sh DIR
# where DIR holds the release's fretsight_*.deb, as package.sh leaves it.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update -q >/dev/null
apt-get install -y -q --no-install-recommends gnome-shell ./"$1"/fretsight_*_*.deb >/dev/null
bash scripts/install-deps.sh --check-tools >/dev/null
# Bounded, as the suite's tests are: nothing may hold the run up.
exec timeout -k 10 600 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" dbus-run-session -- \
  python3 tests/x11/desktop_check.py /usr/bin/fretsight gnome-shell
