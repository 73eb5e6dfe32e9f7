#!/usr/bin/env bash
# Drives the real program in a real X server: opens the copy dialog with a
# mouse click, copies, and reads the system clipboard back through xclip.
# Usage (inside an X session, e.g. under xvfb-run): clipboard_check.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT

"$program" &
pid=$!

window=""
for _ in $(seq 50); do
  window=$(xdotool search --name '^FretSight$' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "FAIL: the main window did not appear"; exit 1; }
sleep 0.5

# Clicks at a position given in pixels inside a window's client area.
click_in() {
  local win=$1 x=$2 y=$3
  eval "$(xdotool getwindowgeometry --shell "$win")"
  xdotool mousemove "$((X + x))" "$((Y + y))" click 1
}

click_in "$window" 532 44 # "Copy.."
dialog=""
for _ in $(seq 50); do
  dialog=$(xdotool search --onlyvisible --name '^Copy Scales to Clipboard$' 2>/dev/null | head -n 1 || true)
  [ -n "$dialog" ] && break
  sleep 0.2
done
[ -n "$dialog" ] || { echo "FAIL: the copy dialog did not appear"; exit 1; }
sleep 0.5
click_in "$dialog" 288 148 # "Copy to Clipboard"
sleep 1

xclip -selection clipboard -o > "$work/clip.txt"
bytes=$(wc -c < "$work/clip.txt")
echo "clipboard holds $bytes bytes"

fail=0
check() { if ! eval "$2"; then echo "FAIL: $1"; fail=1; else echo "ok: $1"; fi; }
check "no line feed byte" "[ \$(tr -d -c '\\n' < '$work/clip.txt' | wc -c) -eq 0 ]"
check "137 CR-ended lines" "[ \$(tr -d -c '\\r' < '$work/clip.txt' | wc -c) -eq 137 ]"
check "printable ASCII only" "! LC_ALL=C grep -q '[^ -~]' <(tr -d '\\r' < '$work/clip.txt')"

printf '%s\r' \
  "FretSight Scale Diagrams" "" \
  "The following are fretboard diagram(s) showing scale patterns, copied from FretSight." "" "" \
  "C Major Scale, Standard Tuning." "" \
  "E     3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|" \
  "B     7 |-1-|---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|-7-|" \
  "G     5 |---|-6-|---|-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|" \
  "D     2 |---|-3-|-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|" \
  "A     6 |---|-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|---|-6-|" \
  "E     3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|" "" \
  "Fret      1   2   3   4   5   6   7   8   9   10  11  12" "" > "$work/head.txt"
check "starts with the C major block byte for byte" \
  "cmp -s '$work/head.txt' <(head -c \$(wc -c < '$work/head.txt') '$work/clip.txt')"
check "last block is B" "tr '\\r' '\\n' < '$work/clip.txt' | grep -qx 'B Major Scale, Standard Tuning.'"

click_in "$window" 630 396 # "Exit Program"
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
check "Exit Program ends the program" "! kill -0 $pid 2>/dev/null"
# A clean exit status also means no sanitizer report in instrumented builds.
status=0
wait "$pid" || status=$?
check "the program exits with status 0" "[ $status -eq 0 ]"

exit $fail
