#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the AppStream screenshot, data/screenshots/main-window.png, from the
# real program on a virtual X server: the main window as it starts, C major
# in the standard tuning. Usage: screenshot.sh [PROGRAM]   (build/fretsight)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/fretsight}")
mkdir -p data/screenshots
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$1" & pid=$!
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name "^FretSight$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
  done
  sleep 1
  import -window "$window" data/screenshots/main-window.png
  kill $pid' _ "$program"
identify data/screenshots/main-window.png
