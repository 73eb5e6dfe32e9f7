#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a blind user hears: the screen reader Orca itself, started before
the program as a user starts it, speaking through speech-dispatcher's dummy
output, while the program is driven by real key presses only. What Orca
says is read from its debug log (its SPEECH OUTPUT lines), key by key.

Usage, inside an X server and a D-Bus session: orca_check.py PROGRAM"""
import os, re, signal, subprocess, sys, tempfile, time

from xdrive import *


def board_says(key, name, steps, tuning=STANDARD):
    """The board's description, worked out here: the scale's notes from the
    root and how many of the 78 points are in it."""
    shown = sum(1 for n in tuning for fret in range(13) if degree(n + fret, key, steps))
    notes = " ".join(SPOKEN[(key + s) % 12] for s in steps)
    return f"{SPOKEN[key]} {name}: {notes}; {shown} scale notes on frets 0 to 12"


def point_says(string, fret, key, steps, tuning=STANDARD):
    note = tuning[string - 1] + fret
    d = degree(note, key, steps)
    return f"String {string}, fret {fret}: {SPOKEN[note % 12]}, " + (f"degree {d}" if d else "not in the scale")


def start_orca(home):
    """Orca with the dummy speech output, its preferences and speech
    settings in a folder of the check's own, once it speaks."""
    runtime = os.path.join(home, "run")
    os.makedirs(os.path.join(home, "config", "speech-dispatcher"))
    os.makedirs(runtime, mode=0o700)
    with open(os.path.join(home, "config", "speech-dispatcher", "speechd.conf"), "w") as conf:
        conf.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n')
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=runtime)
    log = os.path.join(home, "orca.log")
    # Switched on as the desktop's setting does it when the user starts Orca.
    bus_status("ScreenReaderEnabled", True)
    orca = stop_at_exit(subprocess.Popen(["orca", "--debug-file", log, "-u", os.path.join(home, "prefs")],
                                         env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    check("Orca says that the screen reader is on", wait_for(
        lambda: "SPEECH OUTPUT: 'Screen reader on" in open(log, errors="replace").read(), 20))
    time.sleep(1)
    return orca, log, runtime


def stop_orca(orca, runtime):
    """Orca ends, writing out its log; the speech server it started goes too."""
    orca.send_signal(signal.SIGTERM)
    try:
        orca.wait(10)
    except subprocess.TimeoutExpired:
        orca.kill()
    try:
        os.kill(int(open(os.path.join(runtime, "speech-dispatcher/pid/speech-dispatcher.pid")).read()),
                signal.SIGTERM)
    except (OSError, ValueError):
        pass


def heard_by_key(log):
    """What Orca said after each key press, in order: (key, utterances,
    whether Orca saw a flood of events)."""
    steps = [("start", [], False)]
    for line in open(log, errors="replace"):
        pressed = re.match(r"vvvvv PROCESS ATSPI_KEY_PRESSED_EVENT: '([^']+)'", line)
        if pressed:
            steps.append((pressed.group(1), [], False))
        elif "SPEECH OUTPUT: '" in line:
            steps[-1][1].append(re.search(r"SPEECH OUTPUT: '(.*)' ?\{", line).group(1))
        elif "FLOOD?" in line:
            steps[-1] = (steps[-1][0], steps[-1][1], True)
    return steps


# What the user presses, and what must be heard after it (each a text that
# must appear in what Orca says for that key, or a pattern for the lists'
# labels and values, which Orca 43 and 48 put in different sentences).
SCRIPT = [
    ("start", ["FretSight frame", "Fretboard image", board_says(0, "Major", MAJOR)]),
    ("Right", [point_says(1, 1, 0, MAJOR)]),
    ("Home", [point_says(1, 0, 0, MAJOR)]),
    ("Left", ["No fret below 0"]),
    ("Left", ["No fret below 0"]),
    ("Up", ["No string above string 1"]),
    ("Down", [point_says(2, 0, 0, MAJOR)]),
    ("End", [point_says(2, 12, 0, MAJOR)]),
    ("Right", ["No fret above 12"]),
    ("Tab", [r"Key:.* C\b"]),
    ("Down", ["C sharp"]),
    ("Down", [r"\bD\b"]),
    ("Tab", [r"Scale Type:.* Major\b"]),
    ("Down", ["Minor"]),
    ("Down", ["Blues"]),
    ("Down", ["Augmented"]),
    ("shift+Tab", [r"Key:.* D\b"]),
    ("shift+Tab", ["Fretboard image", board_says(2, "Augmented", AUGMENTED)]),
    ("Down", [point_says(3, 12, 2, AUGMENTED)]),
    # Where the walk stood when the scale changed: its new name, not the old.
    ("Up", [point_says(2, 12, 2, AUGMENTED)]),
    ("Tab", []), ("Tab", []),
    ("Tab", ["Tuning.."]),
    ("space", ["Tuning of Strings dialog", "OK"]),
]
# Every string's list, from OK, where the focus goes after each change: its
# value said on focus, its change heard with the preset the notes now
# match: string 6 two steps down to Drop-D, then strings 5 to 1 a step down
# each; last the preset list, a step up from "Custom Tuning".
def to_string(s, value):
    return [("shift+Tab", [])] * (6 - s) + [("shift+Tab", [rf"String {s} open note.* {value}\b"])]


SCRIPT += to_string(6, "E") + [("Up", ["String 6: D sharp; Custom Tuning"])]
SCRIPT += to_string(6, "D sharp") + [("Up", ["String 6: D; Drop-D"])]
for s in range(5, 0, -1):
    note = STANDARD[s - 1]
    SCRIPT += to_string(s, SPOKEN[note]) + [("Up", [f"String {s}: {SPOKEN[note - 1]}; Custom Tuning"])]
SCRIPT += [("shift+Tab", [])] * 6 + [("shift+Tab", [r"Select Tuning.* Custom Tuning"]),
                                    ("Up", ["Lute (Viheula): E A D F sharp B E"]),
                                    ("Escape", ["Tuning.."])]
# The about box: what it is for, heard as it opens; then the copy dialog's
# twelve keys, one ticked off and on again with Space.
SCRIPT += [("Tab", ["About..."]), ("space", ["About dialog", "Version 1.0", "feedback@fretsight.org"]),
           ("Escape", ["About..."]), ("Tab", ["Copy.."]), ("space", ["Copy Scales to Clipboard dialog", "Key C"])]
SCRIPT += [("Tab", [rf"Key {n}\b"]) for n in SPOKEN[1:]]
SCRIPT += [("space", ["not checked"]), ("space", [r"(?<!not )\bchecked"]), ("Escape", ["Copy.."])]
# Orca takes a while over a list it meets for the first time.
SETTLE = {13: 4.0}

home = tempfile.mkdtemp(prefix="fretsight-orca-")
start_bus()
start_wm(["openbox"])
orca, log, runtime = start_orca(home)
app, main = start_program(sys.argv[1])
time.sleep(3)
for i, (keys, _) in enumerate(SCRIPT[1:], 1):
    run("xdotool", "key", "--clearmodifiers", keys)
    time.sleep(SETTLE.get(i, 1.3))
end_program(app)
time.sleep(1)
stop_orca(orca, runtime)

# A modifier's own press is a step of Orca's: what it said then belongs to
# the key before.
steps = []
for key, said, flood in heard_by_key(log):
    if steps and key.startswith(("Shift", "Control", "Alt")):
        steps[-1] = (steps[-1][0], steps[-1][1] + said, steps[-1][2] or flood)
    else:
        steps.append((key, said, flood))
check(f"Orca heard every key ({len(steps)} of {len(SCRIPT)})", len(steps) == len(SCRIPT))
for (keys, wanted), (key, said, flood) in zip(SCRIPT, steps):
    text = " | ".join(said)
    for want in wanted:
        pattern = want if ".*" in want or "\\b" in want else re.escape(want)
        check(f"{keys}: {want!r} in {text!r}", re.search(pattern, text) is not None)
    # Opening and closing a dialog disables and enables the main window's
    # 35 controls, an event each from Qt, just past Orca's mark of 50.
    if keys not in ("start", "space", "Escape"):
        check(f"{keys}: no flood of events", not flood)
said_all = " | ".join(u for _, said, _ in steps for u in said)
check("no sharp sign is read out as such", "#" not in said_all)
report("orca")
