#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what FretSight needs on Debian 12 or 13: to build, run and package it (default),
# or with --tests also everything its tests drive: an X server, five window
# managers (KDE Plasma's and GNOME's among them, with their Wayland sessions
# and Qt's Wayland and GTK plugins, as their users have them), X input and
# clipboard tools, an accessibility client, two clipboard managers (ClipIt, the
# parcellite fork that both releases carry, and Xfce's), LibreOffice
# Writer with its GTK interface and Python bridge, a PDF reader, the Debian
# packaging tools, and cloc for the tests' line count. --measure adds what
# scripts/wayland-native.sh drives KWin with (its fake input protocol, from
# Python; Debian 13 and later). --check-tools installs only what the
# desktop checks of tests/x11 themselves run (scripts/gnome-minimal.sh).
set -euo pipefail

# What the desktop checks drive the program and read it back with.
check_tools=(xvfb xauth xdotool xclip x11-utils wmctrl imagemagick dbus-bin python3-pyatspi python3-xlib)
packages=(
  build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev libxcb1-dev libxcb-ewmh-dev
  fonts-liberation fonts-dejavu-core dpkg-dev file
)
[ "${1:-}" = --check-tools ] && packages=("${check_tools[@]}")
if [ "${1:-}" = --tests ] || [ "${1:-}" = --measure ]; then
  packages+=(
    libbenchmark-dev "${check_tools[@]}"
    openbox metacity xfwm4 kwin-x11 kwin-wayland kwin-style-breeze gnome-shell xwayland
    qt6-wayland qt6-gtk-platformtheme wl-clipboard dbus dbus-x11 at-spi2-core orca speech-dispatcher
    libreoffice-writer libreoffice-gtk3 python3-uno poppler-utils
    clipit xfce4-clipman
    desktop-file-utils appstream lintian cloc
  )
fi
. /etc/os-release
if [ "${1:-}" = --measure ] && [ "${VERSION_ID%%.*}" -ge 13 ]; then
  packages+=(python3-pywayland python3-cffi-backend plasma-wayland-protocols)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
