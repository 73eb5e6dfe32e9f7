#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command inside a headless Wayland session with Xwayland, started
# as a user's session is: KDE Plasma's kwin_wayland or GNOME Shell. The
# command gets what a session gives its programs: WAYLAND_DISPLAY, DISPLAY
# (and XAUTHORITY), XDG_SESSION_TYPE=wayland and XDG_CURRENT_DESKTOP.
# Usage, inside a D-Bus session: wayland_session.sh kwin|gnome COMMAND...
set -euo pipefail
desktop=$1
shift
runtime=$(mktemp -d)
chmod 700 "$runtime"
trap 'kill $(jobs -p) ${bus:-} 2>/dev/null || true; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime XDG_SESSION_TYPE=wayland
# Xwayland puts its socket where every X server does; a booted system has
# the folder (systemd's tmpfiles), a fresh chroot's /tmp may not, and KWin
# then starts no Xwayland at all.
[ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix 2>/dev/null || true
unset DISPLAY WAYLAND_DISPLAY
case $desktop in
kwin)
  # The packaged binary carries a file capability that a container may
  # refuse; KWin only needs its own name.
  mkdir "$runtime/bin"
  cp /usr/bin/kwin_wayland "$runtime/bin/kwin_wayland"
  export XDG_CURRENT_DESKTOP=KDE
  # KWin runs the session's command from one string of its own splitting.
  printf '#!/bin/sh\n%s >"%s/out" 2>&1\necho $? >"%s/status"\n' "$(printf ' %q' "$@")" "$runtime" "$runtime" \
    >"$runtime/session"
  chmod +x "$runtime/session"
  echo 1 >"$runtime/status"
  "$runtime/bin/kwin_wayland" --virtual --xwayland --width 1280 --height 1024 \
    --socket wayland-fretsight --exit-with-session "$runtime/session" >"$runtime/kwin.log" 2>&1 || true
  cat "$runtime/out" 2>/dev/null || tail -20 "$runtime/kwin.log"
  exit "$(cat "$runtime/status")"
  ;;
gnome)
  # GNOME Shell wants a system bus; one of its own is enough.
  read -r DBUS_SYSTEM_BUS_ADDRESS bus < <(dbus-daemon --config-file=/usr/share/dbus-1/session.conf --print-address=1 --print-pid=1 --fork | paste -sd ' ')
  # The check reads in the shell's log when it has started.
  export DBUS_SYSTEM_BUS_ADDRESS XDG_CURRENT_DESKTOP=GNOME FRETSIGHT_SHELL_LOG=$runtime/shell.log
  gnome-shell --wayland --headless --virtual-monitor 1280x1024 >"$FRETSIGHT_SHELL_LOG" 2>&1 &
  shell=$!
  # GNOME's X display is the one whose lock file names this GNOME Shell
  # (Mutter takes the display itself, and starts Xwayland when a client
  # comes): never another X server's, whatever its number.
  # A loaded machine may take a while to start it.
  display=
  for _ in $(seq 600); do
    for lock in /tmp/.X*-lock; do
      [ "$(tr -d ' \n' <"$lock" 2>/dev/null)" = "$shell" ] && display=${lock#/tmp/.X} && display=${display%-lock}
    done
    [ -n "$display" ] && [ -S "$runtime/wayland-0" ] && ls "$runtime"/.mutter-Xwaylandauth.* >/dev/null 2>&1 && break
    sleep 0.1
  done
  [ -n "$display" ] || { echo "FAIL: GNOME Shell started no X display in 60 s" >&2; tail -20 "$FRETSIGHT_SHELL_LOG"; exit 1; }
  export WAYLAND_DISPLAY=wayland-0
  XAUTHORITY=$(ls "$runtime"/.mutter-Xwaylandauth.* | head -1)
  DISPLAY=:$display
  export XAUTHORITY DISPLAY
  "$@"
  ;;
*)
  echo "unknown desktop $desktop" >&2
  exit 2
  ;;
esac
