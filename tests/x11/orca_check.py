#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# What a blind user hears: the screen reader Orca itself, started before the
# program as a user starts it, speaking through speech-dispatcher's dummy
# output, while the program is driven by real key presses only. What Orca
# says is read from its debug log (its SPEECH OUTPUT lines), key by key.
#
# Usage, inside an X server and a D-Bus session: orca_check.py PROGRAM
import os, re, sys, time

from xdrive import *

# What the user presses, and what must be heard after it: each a text that
# must appear in what Orca says for that key, or a pattern (for the lists'
# labels and values, which Orca 43 and 48 put in different sentences).
SCRIPT = [
    ("start", ["FretSight frame", "Fretboard image", "C Major: C D E F G A B; 48 scale notes on frets 0 to 12"]),
    ("Right", ["String 1, fret 1: F, degree 4"]),
    ("Home", ["String 1, fret 0: E, degree 3"]),
    ("Left", ["No fret below 0"]),
    ("Left", ["No fret below 0"]),
    ("Up", ["No string above string 1"]),
    ("Down", ["String 2, fret 0: B, degree 7"]),
    ("End", ["String 2, fret 12: B, degree 7"]),
    ("Right", ["No fret above 12"]),
    ("Tab", [r"Key:.* C\b"]),
    ("Down", ["C sharp"]),
    ("Down", [r"\bD\b"]),
    ("Tab", [r"Scale Type:.* Major\b"]),
    ("Down", ["Minor"]),
    ("Down", ["Blues"]),
    ("Down", ["Augmented"]),
    ("shift+Tab", [r"Key:.* D\b"]),
    ("shift+Tab", ["Fretboard image", "D Augmented: D F F sharp A A sharp C sharp; 38 scale notes on frets 0 to 12"]),
    ("Down", ["String 3, fret 12: G, not in the scale"]),
    # Where the walk stood when the scale changed: its new name, not the old.
    ("Up", ["String 2, fret 12: B, not in the scale"]),
    ("Tab", []), ("Tab", []),
    ("Tab", ["Tuning.."]),
    ("space", ["Tuning of Strings dialog", "OK"]),
]
# Every string's list, reached from OK, where the focus goes after each
# change: its value said on focus, its change heard with the preset the
# notes now match: string 6 two steps down to Drop-D, then strings 5 to 1 a
# step down each; last the preset list, a step up from "Custom Tuning".
for s, value, lower, preset in [(6, "E", "D sharp", "Custom Tuning"), (6, "D sharp", "D", "Drop-D"),
                                (5, "A", "G sharp", "Custom Tuning"), (4, "D", "C sharp", "Custom Tuning"),
                                (3, "G", "F sharp", "Custom Tuning"), (2, "B", "A sharp", "Custom Tuning"),
                                (1, "E", "D sharp", "Custom Tuning")]:
    SCRIPT += [("shift+Tab", [])] * (6 - s) + [("shift+Tab", [rf"String {s} open note.* {value}\b"]),
                                               ("Up", [f"String {s}: {lower}; {preset}"])]
SCRIPT += [("shift+Tab", [])] * 6 + [("shift+Tab", [r"Select Tuning.* Custom Tuning"]),
                                    ("Up", ["Lute (Viheula): E A D F sharp B E"]), ("Escape", ["Tuning.."])]
# The about box: what it is for, heard as it opens; then the copy dialog's
# twelve keys, one ticked off and on again with Space.
SCRIPT += [("Tab", ["About..."]), ("space", ["About dialog", "Version 1.0", "feedback@fretsight.org"]),
           ("Escape", ["About..."]), ("Tab", ["Copy.."]), ("space", ["Copy Scales to Clipboard dialog", "Key C"])]
SCRIPT += [("Tab", [rf"Key {n}\b"]) for n in SPOKEN[1:]]
SCRIPT += [("space", ["not checked"]), ("space", [r"(?<!not )\bchecked"]), ("Escape", ["Copy.."])]


def pattern(want):
    return want if ".*" in want or "\\b" in want else re.escape(want)


# Reads Orca's log as it grows until Orca has taken the key pressed (if
# any), said all that must be heard, and then said nothing for half a second.
def settle(log, keyed, wanted):
    text, changed, end = "", time.time(), time.time() + 15
    while time.time() < end:
        more = log.read()
        if more:
            text, changed = text + more, time.time()
        said = " | ".join(re.findall(r"SPEECH OUTPUT: '(.*)' ?\{", text))
        if (not keyed or re.search(r"PROCESS ATSPI_KEY_PRESSED_EVENT: '(?!Shift|Control|Alt)", text)) and \
                all(re.search(pattern(w), said) for w in wanted) and time.time() - changed > 0.5:
            return
        time.sleep(0.1)


# Orca with the dummy speech output, its preferences and speech settings in
# a folder of the check's own.
home = scratch("fretsight-orca-")
config, runtime, log = (os.path.join(home, d) for d in ("config", "run", "orca.log"))
os.makedirs(os.path.join(config, "speech-dispatcher"))
os.makedirs(runtime, mode=0o700)
with open(os.path.join(config, "speech-dispatcher", "speechd.conf"), "w") as conf:
    conf.write('AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n')
# Orca writes its log through a block buffer; written line by line, it can
# be followed as Orca speaks.
with open(os.path.join(home, "sitecustomize.py"), "w") as hook:
    hook.write(f"import builtins\nplain = builtins.open\nbuiltins.open = lambda file, *args, **kwargs: "
               f"plain(file, 'w', 1) if file == {log!r} else plain(file, *args, **kwargs)\n")
start_bus()
start_wm(["openbox"])
# Switched on as the desktop's setting does it when the user starts Orca.
dbus("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
     "string:ScreenReaderEnabled", "variant:boolean:true")
orca = spawn(["orca", "--debug-file", log, "-u", os.path.join(home, "prefs")],
             env=dict(os.environ, HOME=home, PYTHONPATH=home, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime,
                      XDG_DATA_HOME=os.path.join(home, "data")))
check("Orca says that the screen reader is on",
      wait_for(lambda: "SPEECH OUTPUT: 'Screen reader on" in open(log, errors="replace").read(), 20))
time.sleep(1)
reader = open(log, errors="replace")
app, main = start_program(sys.argv[1])
for keys, wanted in SCRIPT:
    if keys != "start":
        run("xdotool", "key", "--clearmodifiers", keys)
    settle(reader, keys != "start", wanted)
end_program(app)
time.sleep(1)
# Orca ends, then the speech server it started, which would otherwise be
# started again by Orca.
orca.terminate()
wait_for(lambda: orca.poll() is not None, 10)
run("pkill", "--pidfile", os.path.join(runtime, "speech-dispatcher/pid/speech-dispatcher.pid"))

# What Orca said after each key press, in order, and whether it saw a flood
# of events; a modifier's own press is a step of Orca's, whose speech
# belongs to the key before.
steps = [["start", [], False]]
for line in open(log, errors="replace"):
    pressed = re.match(r"vvvvv PROCESS ATSPI_KEY_PRESSED_EVENT: '([^']+)'", line)
    if pressed and not pressed.group(1).startswith(("Shift", "Control", "Alt")):
        steps.append([pressed.group(1), [], False])
    elif "SPEECH OUTPUT: '" in line:
        steps[-1][1].append(re.search(r"SPEECH OUTPUT: '(.*)' ?\{", line).group(1))
    elif "FLOOD?" in line:
        steps[-1][2] = True
check(f"Orca heard every key ({len(steps)} of {len(SCRIPT)})", len(steps) == len(SCRIPT))
for (keys, wanted), (key, said, flood) in zip(SCRIPT, steps):
    text = " | ".join(said)
    for want in wanted:
        check(f"{keys}: {want!r} in {text!r}", re.search(pattern(want), text) is not None)
    # Opening and closing a dialog disables and enables the main window's
    # 35 controls, an event each from Qt, just past Orca's mark of 50.
    if keys not in ("start", "space", "Escape"):
        check(f"{keys}: no flood of events", not flood)
check("no sharp sign is read out as such", all("#" not in u for _, said, _ in steps for u in said))
report("orca")
