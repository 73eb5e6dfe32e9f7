#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Every window looks the same, pixel for pixel, with GNOME's platform
theme (qt6-gtk-platformtheme, which Qt loads where XDG_CURRENT_DESKTOP is
GNOME) as without it: no text clipped, the board as drawn.

Usage, inside an X server and a D-Bus session: theme_check.py PROGRAM"""
import os, subprocess, sys, time

from xdrive import *

DIALOGS = [("Tuning of Strings", TUNING), ("Copy Scales to Clipboard", COPY), ("About", ABOUT)]


def pictures(desktop):
    """Each window's pixels, and whether GTK's theme was loaded."""
    os.environ.pop("XDG_CURRENT_DESKTOP", None)
    if desktop:
        os.environ["XDG_CURRENT_DESKTOP"] = desktop
    app, main = start_program(sys.argv[1])
    maps = open(f"/proc/{app.pid}/maps").read()
    shots = {"FretSight": grab(main)}
    for title, opener in DIALOGS:
        click(main, *opener)
        dialog = wait_for(lambda: window(title))
        time.sleep(0.5)
        shots[title] = grab(dialog)
        run("xdotool", "key", "Escape")
        wait_for(lambda: not window(title), 5)
    end_program(app, main)
    return shots, "libqgtk3" in maps


def grab(win):
    return subprocess.run(["import", "-window", str(win), "rgb:-"], capture_output=True).stdout


plain, _ = pictures(None)
themed, loaded = pictures("GNOME")
check("GNOME's platform theme is loaded", loaded)
for title, shot in plain.items():
    check(f"{title}: the same pixels with GNOME's theme", shot and themed.get(title) == shot)
sys.exit(1 if failures else 0)
