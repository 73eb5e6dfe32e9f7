#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies through the real program's windows with real clicks, reads the
# clipboard back with xclip and checks the bytes, then ends the program
# with "Exit Program" and reads the clipboard again.
# Usage, inside an X server: clipboard_check.py PROGRAM [CLIPBOARD_MANAGER]
#   With a clipboard manager running, ten further copies in a row, each of
#   another key, must each reach the clipboard.
import re, subprocess, sys, time

from xdrive import *

manager = start_clipboard_manager(sys.argv[2]) if len(sys.argv) > 2 else None
app, main = start_program(sys.argv[1])
screen = tuple(map(int, re.search(r"dimensions:\s+(\d+)x(\d+)", run("xdpyinfo")).groups()))
x, y, w, h = geometry(main)[1]
check(f"centred on a screen without a window manager ({x},{y})", abs(2 * x + w - screen[0]) <= 4 and abs(2 * y + h - screen[1]) <= 4)
copy_keys(main)
text = clipboard("text/plain")
check(f"137 lines, each ended by a carriage return alone ({len(text)} bytes)",
      text.count(b"\r") == 137 and b"\n" not in text and text.endswith(b"\r"))
check("printable ASCII", all(32 <= c < 127 for c in text.replace(b"\r", b"")))
check("all twelve keys in C major, byte for byte", text == major_diagram(range(12)))
if manager:
    for key in range(10):
        copy_keys(main, [k for k in range(12) if k != 0] if key == 0 else [key - 1, key])
        got = clipboard("text/plain")
        check(f"copy {key + 1} of 10 reaches the clipboard: {NOTES[key]} alone",
              got == major_diagram([key]) or print(got[:200]))
flavours = {t: clipboard(t) for t in ("text/plain", "text/html", "text/rtf")}
started = time.time()
end_program(app, main)
check(f"ends at once ({time.time() - started:.1f} s from the click)", time.time() - started < 2)
time.sleep(0.5)
for target, data in flavours.items():
    check(f"{target} is still on the clipboard after the program ended", data and clipboard(target) == data)
if manager:
    manager.terminate()
sys.exit(1 if failures else 0)
