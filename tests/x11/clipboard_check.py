#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies through the real program's windows with real clicks, reads the
# clipboard back with xclip and checks the bytes, then ends the program
# with "Exit Program" and reads the clipboard again.
# Usage, inside an X server: clipboard_check.py PROGRAM [CLIPBOARD_MANAGER]
#   With a clipboard manager running, ten further copies in a row, each of
#   another key, must each reach the clipboard. Without one, another
#   program's copy made after the program's must be what stays at exit.
import subprocess, sys, time

from xdrive import *

start_bus()
manager = start_clipboard_manager(sys.argv[2]) if len(sys.argv) > 2 else None
app, main = start_program(sys.argv[1])
copy_keys()
text = clipboard("text/plain")
check(f"137 lines, each ended by a carriage return alone ({len(text)} bytes)",
      text.count(b"\r") == 137 and b"\n" not in text and text.endswith(b"\r"))
if manager:
    for key in range(10):
        copy_keys([k for k in range(12) if k != 0] if key == 0 else [key - 1, key])
        blocks = clipboard("text/plain").split(b"\r")[5::11][:-1]
        check(f"copy {key + 1} of 10 reaches the clipboard: {NOTES[key]} alone ({blocks})",
              blocks == [f"{NOTES[key]} Major Scale, Standard Tuning.".encode()])
flavours = {t: clipboard(t) for t in ("text/plain", "text/html", "text/rtf", "text/richtext")}
check("the RTF is offered as text/richtext too", flavours["text/rtf"] == flavours["text/richtext"])
started = time.time()
end_program(app)
check(f"ends at once ({time.time() - started:.1f} s from the click)", time.time() - started < 2)
time.sleep(0.5)
for target, data in flavours.items():
    check(f"{target} is still on the clipboard after the program ended", DIAGRAMS_TITLE in data and
          clipboard(target) == data)

if not manager:
    # Another program copies after FretSight's: that copy is the one kept,
    # and no helper of FretSight's is left holding anything.
    app, main = start_program(sys.argv[1])
    copy_keys()
    other = stop_at_exit(subprocess.Popen(["xclip", "-selection", "clipboard", "-quiet"], stdin=subprocess.PIPE))
    other.stdin.write(b"copied elsewhere")
    other.stdin.close()
    wait_for(lambda: clipboard("text/plain") == b"copied elsewhere", 5)
    end_program(app)
    time.sleep(0.5)
    check("another program's later copy is what the clipboard holds after exit",
          clipboard("text/plain") == b"copied elsewhere")
    check("no clipboard helper is left running", wait_for(lambda: not run("pgrep", "-x", "fretsight-clipb"), 3))
report("clipboard")
