#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs FretSight under a real window manager and drives it with real X
input only (xdotool, wmctrl), reading results from outside (xprop, xwininfo).

Usage, inside an X server: desktop_check.py PROGRAM WM
  WM is openbox, metacity or xfwm4. On a screen smaller than the main window
  only the placement is checked. FRETSIGHT_SHOTS=DIR keeps screenshots."""
import os, re, subprocess, sys, time


from xdrive import *

program, wm = sys.argv[1], sys.argv[2]


def active():
    m = re.search(r"0x[0-9a-f]+", run("xprop", "-root", "_NET_ACTIVE_WINDOW"))
    return int(m.group(0), 16) if m else None


def viewable(win):
    return "IsViewable" in run("xwininfo", "-id", str(win))


def shot(name):
    if os.environ.get("FRETSIGHT_SHOTS"):
        run("import", "-window", "root", os.path.join(os.environ["FRETSIGHT_SHOTS"], f"{wm}-{name}.png"))


screen = tuple(map(int, re.search(r"dimensions:\s+(\d+)x(\d+)", run("xdpyinfo")).groups()))
start = {"openbox": ["openbox"], "metacity": ["metacity", "--replace"], "xfwm4": ["xfwm4", "--replace"],
         "kwin_x11": ["kwin_x11", "--replace"]}
wm_process = start_wm(start[wm])
time.sleep(1)
app = subprocess.Popen([program])
main = wait_for(lambda: window("FretSight"))
check("the main window appears", main)
time.sleep(1)


def centred(win, what):
    _, (fx, fy, fw, fh) = geometry(win)
    if fw > screen[0] or fh > screen[1]:
        check(f"{what}: frame's top-left corner on a screen too small for it ({fx},{fy})", fx >= 0 and fy >= 0)
    else:
        check(f"{what}: frame centred on the screen ({fx},{fy} {fw}x{fh})",
              abs(2 * fx + fw - screen[0]) <= 4 and abs(2 * fy + fh - screen[1]) <= 4)


centred(main, "main window")
shot("main")
if screen[0] >= 800:
    run("wmctrl", "-i", "-r", str(main), "-b", "add,fullscreen")
    run("wmctrl", "-i", "-r", str(main), "-b", "add,maximized_vert,maximized_horz")
    time.sleep(1)
    check("the main window can be neither maximized nor made full screen",
          geometry(main)[0][2:] == (674, 422) and "FULLSCREEN" not in prop(main, "_NET_WM_STATE"))

    # Button positions inside the main window, and each dialog's closing button.
    dialogs = [("Tuning of Strings", TUNING, (40, 175)),
               ("Copy Scales to Clipboard", COPY, (288, 188)),
               ("About", ABOUT, (120, 364))]
    for title, opener, closer in dialogs:
        click(main, *opener)
        dialog = wait_for(lambda: window(title))
        check(f"{title}: opens", dialog)
        if not dialog:
            continue
        time.sleep(0.5)
        centred(dialog, title)
        state = prop(dialog, "_NET_WM_STATE")
        check(f"{title}: modal and out of the task bar", "MODAL" in state and "SKIP_TASKBAR" in state)
        check(f"{title}: no icon", "not found" in prop(dialog, "_NET_WM_ICON"))
        check(f"{title}: kept above the main window", f"{main:#x}" in prop(dialog, "WM_TRANSIENT_FOR"))
        shot(title.split()[0].lower())
        placed = geometry(dialog)
        # Minimized (as a task bar asks, or with the Alt+F9 key binding of all
        # three), then the main window activated from the task bar, since it
        # may have gone down with its dialog.
        for request in (["windowminimize", str(dialog)], ["key", "alt+F9"]) * 2:
            run("xdotool", *request)
            if wait_for(lambda: not viewable(dialog), 2):
                break
        check(f"{title}: iconified", not viewable(dialog))
        time.sleep(0.3)
        run("wmctrl", "-i", "-a", str(main))
        # Back where it was (some window managers animate the way back).
        back = lambda: viewable(dialog) and active() == dialog and geometry(dialog) == placed
        check(f"{title}: back and active after activating the main window", wait_for(back, 5))
        click(main, 300, 300)
        check(f"{title}: still in front and active after a click on the main window", wait_for(back, 5))
        shot(title.split()[0].lower() + "-back")
        click(dialog, *closer)
        check(f"{title}: usable, its button closes it", wait_for(lambda: not viewable(dialog), 5))
        check(f"{title}: the main window is active again", wait_for(lambda: active() == main, 5))

end_program(app, main)
wm_process.terminate()
print(f"{wm}: {len(failures)} failed")
sys.exit(1 if failures else 0)
