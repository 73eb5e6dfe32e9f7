#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""With GNOME's platform theme (qt6-gtk-platformtheme, which Qt loads where
XDG_CURRENT_DESKTOP is GNOME) the windows take GNOME's colours, as they take
the system's anywhere, but keep their layout: every control where it is
without the theme, the board in its own colours, pixel for pixel, and every
text at least 4.5:1 against what is behind it.

Usage, inside an X server and a D-Bus session: theme_check.py PROGRAM"""
import os, subprocess, sys, time

from xdrive import *

DIALOGS = [("Tuning of Strings", "Tuning.."), ("Copy Scales to Clipboard", "Copy.."), ("About", "About...")]
TEXTS = (LABEL, BUTTON, CHECK, COMBO)


def look(win, title):
    """The window's pixels, and what it holds as a screen reader reads it:
    role, name and place inside the window of everything showing."""
    (x, y, w, h), _ = geometry(win)
    pixels = subprocess.run(["import", "-window", str(win), "-depth", "8", "rgb:-"], capture_output=True).stdout
    root = wait_for(lambda: top(title), 5)
    parts = []
    for acc in walk(root) if root else ():
        if "showing" in states(acc) and acc is not root:
            ex = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            parts.append((acc.getRole(), shown_text(acc), ex.x - x, ex.y - y, ex.width, ex.height))
    return (w, h, pixels), parts


def shown_text(acc):
    """The text an object shows: a label's own text (a string's line in the
    tuning dialog has a name, but shows none), else its name."""
    try:
        text = acc.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return acc.name


def pictures(desktop):
    """Each window's look, and whether GTK's theme was loaded."""
    os.environ.pop("XDG_CURRENT_DESKTOP", None)
    if desktop:
        os.environ["XDG_CURRENT_DESKTOP"] = desktop
    app, main = start_program(sys.argv[1])
    maps = open(f"/proc/{app.pid}/maps").read()
    looks = {"FretSight": look(main, "FretSight")}
    for title, opener in DIALOGS:
        press("FretSight", opener)
        dialog = wait_for(lambda: window(title))
        time.sleep(0.5)
        looks[title] = look(dialog, title)
        run("xdotool", "key", "Escape")
        wait_for(lambda: not window(title), 5)
    end_program(app)
    return looks, "libqgtk3" in maps


def crop(image, x, y, w, h):
    width, height, data = image
    return [data[3 * (width * row + col):3 * (width * row + col) + 3]
            for row in range(max(y, 0), min(y + h, height)) for col in range(max(x, 0), min(x + w, width))]


def luminance(rgb):
    c = [v / 255 for v in rgb]
    c = [v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4 for v in c]
    return 0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2]


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def text_contrast(pixels):
    """The contrast of a text with what is behind it: the commonest colour
    against the one most unlike it of those that a glyph's stroke fills
    (anti-aliased small text may fill no pixel twice with one colour)."""
    counts = {}
    for p in pixels:
        counts[p] = counts.get(p, 0) + 1
    background = max(counts, key=counts.get)
    strokes = [p for p in counts if p != background]
    return max((contrast(background, p) for p in strokes), default=1.0)


start_bus()
bus_status("ScreenReaderEnabled", True)
plain, _ = pictures(None)
themed, loaded = pictures("GNOME")
check("GNOME's platform theme is loaded", loaded)
for title, (image, parts) in themed.items():
    base_image, base_parts = plain[title]
    check(f"{title}: the same size and every control in the same place ({len(parts)} read)",
          image[:2] == base_image[:2] and parts and parts == base_parts)
    for role, name, x, y, w, h in parts:
        if role == IMAGE and name == "Fretboard":
            check(f"{title}: the board in its own colours, pixel for pixel",
                  crop(image, x, y, w, h) == crop(base_image, x, y, w, h))
        elif role in TEXTS and name and h >= 6:  # a string's line is one pixel high, and shows no text
            ratio = text_contrast(crop(image, x, y, w, h))
            check(f"{title}: {name!r} ({w}x{h} at {x},{y}) at {ratio:.1f}:1", ratio >= 4.5)
report("gnome_theme")
