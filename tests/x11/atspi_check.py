#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads FretSight as a screen reader does: through AT-SPI, from outside,
with one client that keeps running while the program is driven by real key
presses. The program starts before a screen reader is switched on.

Usage, inside an X server and a D-Bus session: atspi_check.py PROGRAM
  FRETSIGHT_SHOTS=DIR keeps screenshots of the board's focus marks."""
import os, subprocess, sys, tempfile, time, traceback

# libatspi reports signals it must reject on standard error: keep them, and
# report this script's own errors on standard output.
rejected = tempfile.TemporaryFile()
os.dup2(rejected.fileno(), 2)
sys.excepthook = lambda *error: traceback.print_exception(*error, file=sys.stdout)

import pyatspi

from atclient import *
from xdrive import *


def point_names(key, steps, tuning):
    """The 78 points' names, string by string and fret by fret."""
    names = []
    for string, open_note in enumerate(tuning, 1):
        for fret in range(13):
            note, d = (open_note + fret) % 12, degree(open_note + fret, key, steps)
            tail = f"degree {d}" + (", root" if d == 1 else "") if d else "not in the scale"
            names.append(f"String {string}, fret {fret}: {NOTES[note].replace('#', ' sharp')}, {tail}")
    return names


events = []


def heard(event):
    try:
        events.append((event.type, event.source.getRole(), event.source.name, event.detail1))
    except Exception:
        pass


def key(*keys, settle=0.6):
    for k in keys:
        run("xdotool", "key", "--clearmodifiers", k)
        pump(0.15)
    pump(settle)


def selected_item(combo):
    items = combo.getChildAtIndex(0)
    return [items.getChildAtIndex(i).name for i in range(items.childCount)
            if "selected" in states(items.getChildAtIndex(i))]


def check_board(board, what, key, steps, tuning):
    want = point_names(key, steps, tuning)
    children = [board.getChildAtIndex(i) for i in range(board.childCount)]
    got = [c.name for c in children[:78]]
    wrong = [f"{g!r} != {w!r}" for g, w in zip(got, want) if g != w]
    check(f"{what}: the 78 points read afresh ({len(wrong)} wrong{': ' + wrong[0] if wrong else ''})",
          len(got) == 78 and not wrong)
    # Every point is there to be read, in the scale or not; the board's
    # last children, its passing notes, only while they have the focus.
    check(f"{what}: the points show, the notes do not",
          all("showing" in states(c) for c in children[:78]) and
          not any("showing" in states(c) for c in children[78:]))
    notes = " ".join(NOTES[(key + s) % 12].replace("#", " sharp") for s in steps)
    shown = sum("degree" in w for w in want)
    check(f"{what}: the board says the scale's notes ({board.description!r})",
          board.description.endswith(f": {notes}; {shown} scale notes on frets 0 to 12"))


def heard_change(combo_name, value):
    """A change of a list that a screen reader speaks: the list's new name
    (its value) or its selection, and the new item selected."""
    return any(t in ("object:selection-changed", "object:property-change:accessible-name") and
               r == COMBO and n == value for t, r, n, _ in events) and \
        any(t == "object:state-changed:selected" and n == value and d == 1 for t, _, n, d in events)


bus = start_bus()
screen_reader("IsEnabled", False)
screen_reader("ScreenReaderEnabled", False)
app, main = start_program(sys.argv[1])
# Switched on only now, as a user who starts a screen reader later does.
screen_reader("ScreenReaderEnabled", True)
# What Orca listens to.
for kind in ("object:selection-changed", "object:property-change", "object:state-changed",
             "object:value-changed", "object:children-changed", "focus:"):
    pyatspi.Registry.registerEventListener(heard, kind)
root = wait_for(app_root, 10)
check("the program is seen by a screen reader switched on after it started", root)
if not root:
    sys.exit(1)

frame = root.getChildAtIndex(0)
check(f"the main window is a frame named FretSight ({frame.getRoleName()})",
      frame.getRole() == FRAME and frame.name == "FretSight")
key_list = find(frame, COMBO, label="Key:")
scale_list = find(frame, COMBO, label="Scale Type:")
check("the key and scale-type lists are labelled and show their values",
      key_list and scale_list and key_list.name == "C" and scale_list.name == "Major")
for button in ("Tuning..", "Copy..", "About...", "Exit Program"):
    check(f"button {button!r}", find(frame, BUTTON, button))
board = find(frame, IMAGE, "Fretboard")
check("the board is an image named Fretboard, focused at start", board and "focused" in states(board))
check_board(board, "C Major", 0, MAJOR, STANDARD)

# The arrow keys walk the board; the focus follows, and a mark is drawn.
shots = os.environ.get("FRETSIGHT_SHOTS") or tempfile.mkdtemp()
run("import", "-window", str(main), os.path.join(shots, "board-focused.png"))
events.clear()
walk = [("Right", "String 1, fret 1: F, degree 4"), ("Down", "String 2, fret 1: C, degree 1, root"),
        ("Left", "String 2, fret 0: B, degree 7"), ("End", "String 2, fret 12: B, degree 7"),
        ("Up", "String 1, fret 12: E, degree 3")]
for k, name in walk:
    events.clear()
    key(k)
    check(f"{k}: the focus moves to {name!r}",
          any(t == "object:state-changed:focused" and n == name and d == 1 for t, _, n, d in events))
    if k == "Down":
        run("import", "-window", str(main), os.path.join(shots, "board-point.png"))
changed = run("convert", os.path.join(shots, "board-focused.png"), os.path.join(shots, "board-point.png"),
              "-compose", "difference", "-composite", "-threshold", "0", "-format", "%@", "info:")
# String 2, fret 1: its marker is 11 pixels wide at (73, 102) in the window.
check(f"the point reached is marked, nothing else on the board changes ({changed})",
      changed and all(abs(a - b) <= 2 for a, b in zip(map(int, re.findall(r"\d+", changed)), (21, 21, 68, 97))))

# The key list by keyboard: two steps down, C to D.
events.clear()
key("Tab", "Down", "Down", settle=1)
check(f"key list: the change is heard and the shown item selected ({selected_item(key_list)})",
      heard_change("Key", "D") and key_list.name == "D" and selected_item(key_list) == ["D"])
check_board(board, "D Major", 2, MAJOR, STANDARD)
events.clear()
key("Tab", *["Down"] * 14, settle=1)
check(f"scale-type list: Dorian is heard and selected ({scale_list.name})",
      heard_change("Scale Type", "Dorian") and selected_item(scale_list) == ["Dorian"])
check_board(board, "D Dorian", 2, DORIAN, STANDARD)

# The tuning dialog, from the keyboard: string 6 down two steps to Drop-D.
key("Tab", "space", settle=1)
tuning = find(root, DIALOG, "Tuning of Strings")
check("the tuning dialog is a modal dialog", tuning and "modal" in states(tuning))
check("\"Select Tuning\" labels the preset list", find(tuning, COMBO, "Standard", label="Select Tuning"))
for s, note in enumerate("EBGDAE", 1):
    check(f"string {s}'s list is labelled \"String {s} open note\"",
          find(tuning, COMBO, note, label=f"String {s} open note"))
check("OK has the focus", "focused" in states(find(tuning, BUTTON, "OK")))
events.clear()
key("shift+Tab", "Up")
key("shift+Tab", "Up", settle=1)
string6 = find(tuning, COMBO, label="String 6 open note")
check(f"string 6: the change is heard and the shown item selected ({selected_item(string6)})",
      heard_change("String 6 open note", "D") and selected_item(string6) == ["D"])
check("the preset list follows: Drop-D", heard_change("Select Tuning", "Drop-D"))
key("space", settle=1)
check_board(board, "D Dorian in Drop-D", 2, DORIAN, (4, 11, 7, 2, 9, 2))

# The copy dialog and the about box, closed with Escape.
key("Tab", "Tab", "space", settle=1)
copy = find(root, DIALOG, "Copy Scales to Clipboard")
check("the copy dialog is a modal dialog", copy and "modal" in states(copy))
boxes = [find(copy, CHECK, f"Key {n}") for n in NOTES] if copy else []
check("its twelve key boxes are named and ticked", len(boxes) == 12 and all(b and "checked" in states(b) for b in boxes))
check("its buttons", copy and find(copy, BUTTON, "Copy to Clipboard") and find(copy, BUTTON, "Cancel"))
key("Escape", "shift+Tab", "space", settle=1)
about = find(root, DIALOG, "About")
check("the about box is a modal dialog with its OK button",
      about and "modal" in states(about) and find(about, BUTTON, "OK"))
key("Escape", settle=0.5)

bad = [t for t in events if t[0] == "object:children-changed"]
check(f"the board's points never change, only their names and states ({len(bad)} children changes)", not bad)
end_program(app, main)
rejected.seek(0)
report = rejected.read().decode(errors="replace")
invalid = [line for line in report.splitlines() if "invalid signature" in line]
check(f"no signal rejected by the AT-SPI library ({len(invalid)})", not invalid)
print(f"atspi: {len(failures)} failed")
leave(bus, failures)
