#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies through the real program's windows with real clicks, reads the
# clipboard back with xclip and checks the bytes, then ends the program
# with "Exit Program". Usage, inside an X server: clipboard_check.py PROGRAM
import re, subprocess, sys, time

from xdrive import *

app = subprocess.Popen([sys.argv[1]])
main = wait_for(lambda: window("FretSight"))
check("the main window appears", main)
time.sleep(0.5)
screen = tuple(map(int, re.search(r"dimensions:\s+(\d+)x(\d+)", run("xdpyinfo")).groups()))
x, y, w, h = geometry(main)[1]
check(f"centred on a screen without a window manager ({x},{y})", abs(2 * x + w - screen[0]) <= 4 and abs(2 * y + h - screen[1]) <= 4)
click(main, *COPY)
dialog = wait_for(lambda: window("Copy Scales to Clipboard"))
time.sleep(0.5)
click(dialog, *COPY_TO_CLIPBOARD)
time.sleep(0.5)
text = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "text/plain"],
                      capture_output=True).stdout
check(f"137 lines, each ended by a carriage return alone ({len(text)} bytes)",
      text.count(b"\r") == 137 and b"\n" not in text and text.endswith(b"\r"))
check("printable ASCII", all(32 <= c < 127 for c in text.replace(b"\r", b"")))
check("the C major block, byte for byte", text.startswith(
    b"FretSight Scale Diagrams\r\r"
    b"The following are fretboard diagram(s) showing scale patterns, copied from FretSight.\r\r\r"
    b"C Major Scale, Standard Tuning.\r\r"
    b"E     3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|\r"
    b"B     7 |-1-|---|-2-|---|-3-|-4-|---|-5-|---|-6-|---|-7-|\r"
    b"G     5 |---|-6-|---|-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|\r"
    b"D     2 |---|-3-|-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|\r"
    b"A     6 |---|-7-|-1-|---|-2-|---|-3-|-4-|---|-5-|---|-6-|\r"
    b"E     3 |-4-|---|-5-|---|-6-|---|-7-|-1-|---|-2-|---|-3-|\r\r"
    b"Fret      1   2   3   4   5   6   7   8   9   10  11  12\r\r"))
check("the last block is B", b"\rB Major Scale, Standard Tuning.\r" in text)
end_program(app, main)
sys.exit(1 if failures else 0)
