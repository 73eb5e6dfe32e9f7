#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies through the real program's windows with real clicks, reads the
# clipboard back with xclip and checks the bytes, then ends the program
# with "Exit Program" and reads the clipboard again.
# Usage, inside an X server: clipboard_check.py PROGRAM [CLIPBOARD_MANAGER]
#   With a clipboard manager running, ten further copies in a row, each of
#   another key, must each reach the clipboard. Without one, another
#   program's copy made after the program's must be what stays at exit.
#   CLIPBOARD_MANAGER "text-only" is one of the check's own that saves the
#   plain text alone when asked to save the clipboard, as many do: every
#   flavour must still be served after exit.
import subprocess, sys, threading, time

from xdrive import *


def text_only_manager(saved):
    from Xlib import X, display
    from Xlib.protocol import event
    x = display.Display()
    me = x.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    me.set_selection_owner(x.intern_atom("CLIPBOARD_MANAGER"), X.CurrentTime)
    x.sync()

    def serve():
        while True:
            asked = x.next_event()
            if asked.type == X.SelectionRequest and asked.target == x.intern_atom("SAVE_TARGETS"):
                me.convert_selection(x.intern_atom("CLIPBOARD"), x.intern_atom("text/plain"), asked.property,
                                     X.CurrentTime)
                while x.next_event().type != X.SelectionNotify:
                    pass
                asked.requestor.send_event(event.SelectionNotify(time=asked.time, requestor=asked.requestor,
                                           selection=asked.selection, target=asked.target, property=asked.property))
                x.sync()
                saved.set()
    threading.Thread(target=serve, daemon=True).start()


start_bus()
manager, saved = sys.argv[2] if len(sys.argv) > 2 else None, threading.Event()
if manager == "text-only":
    text_only_manager(saved)
elif manager:
    start_clipboard_manager(manager)
app, main = start_program(sys.argv[1])
copy_keys()
text = clipboard("text/plain")
check(f"137 lines, each ended by a carriage return alone ({len(text)} bytes)",
      text.count(b"\r") == 137 and b"\n" not in text and text.endswith(b"\r"))
if manager and manager != "text-only":
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
if manager == "text-only":
    check("the clipboard manager was asked to save the clipboard, and saved its text", saved.wait(10))
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
    # Its window, on this display: a process search would see other sessions'.
    check("no clipboard helper is left running",
          wait_for(lambda: not run("xdotool", "search", "--name", "^fretsight-clipboard$").split(), 3))
report("clipboard")
