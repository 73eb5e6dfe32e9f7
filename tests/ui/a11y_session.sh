#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs an in-process test with Qt's screen-reader bridge switched on, as on
# a desktop: on an X server and a D-Bus session of its own, with the
# accessibility bus running. Usage: a11y_session.sh PROGRAM [ARGS...]
# The X server picks a free display itself and tells it once it is ready
# (-displayfd), so that tests started one after another never race for one;
# it keeps running when a client leaves (-noreset): the accessibility bus
# looks at it and goes, and a server that resets then refuses the test.
dir=$(mktemp -d)
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$dir/display" 2>"$dir/log" &
xvfb=$!
# Gone before the next test's server starts: an X server that ends
# removes its socket, which may by then be the next one's.
trap 'kill $xvfb 2>/dev/null; wait $xvfb; rm -rf "$dir"' EXIT
for _ in $(seq 200); do
  [ -s "$dir/display" ] && break
  sleep 0.05
done
DISPLAY=:$(cat "$dir/display") dbus-run-session -- sh -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately & launcher=$!
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
  status=$?
  pkill -P $launcher
  kill $launcher
  exit $status' sh "$@"
status=$?
[ $status = 0 ] || cat "$dir/log" >&2
exit $status
