#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs FretSight under a real window manager and drives it with real X input
# only (xdotool, wmctrl), reading results from outside (xprop, xwininfo).
#
# Usage, inside an X server: desktop_check.py PROGRAM WM
#   WM is openbox, metacity, xfwm4, kwin_x11 or gnome-shell, started here, or
#   kwin-wayland or gnome-wayland, the compositor of the Wayland session the
#   check runs in (wayland_session.sh). FRETSIGHT_SHOTS=DIR keeps screenshots.
import glob, os, re, subprocess, sys, time

from xdrive import *

program, wm = sys.argv[1], sys.argv[2]


def active():
    m = re.search(r"0x[0-9a-f]+", run("xprop", "-root", "_NET_ACTIVE_WINDOW"))
    return m and int(m.group(0), 16)


def viewable(win):
    return "IsViewable" in run("xwininfo", "-id", str(win))


def wl_paste(target):
    return run("wl-paste", "--no-newline", "--type", target, text=False, timeout=10)


# A point of the main window, on the screen, that the dialog's frame leaves
# uncovered, so that a click there lands on the main window.
def uncovered(main, dialog):
    (mx, my, mw, mh), _ = geometry(main)
    _, (dx, dy, dw, dh) = geometry(dialog)
    return next(((x, y) for y in range(my + 20, my + mh - 20, 10) for x in range(mx + 20, mx + mw - 20, 10)
                 if not (dx - 10 <= x < dx + dw + 10 and dy - 10 <= y < dy + dh + 10)), None)


def shot(name):
    if os.environ.get("FRETSIGHT_SHOTS"):
        run("import", "-window", "root", os.path.join(os.environ["FRETSIGHT_SHOTS"], f"{wm}-{name}.png"))


# The frame centred on the work area: the screen less the desktop's panels.
def centred(win, what):
    ax, ay, aw, ah = map(int, re.findall(r"\d+", run("xprop", "-root", "_NET_WORKAREA").split("=")[-1])[:4] or
                         (0, 0) + re.search(r"dimensions:\s+(\d+)x(\d+)", run("xdpyinfo")).groups())
    _, (fx, fy, fw, fh) = geometry(win)
    check(f"{what}: frame centred on the work area ({fx},{fy} {fw}x{fh} in {ax},{ay} {aw}x{ah})",
          abs(2 * (fx - ax) + fw - aw) <= 4 and abs(2 * (fy - ay) + fh - ah) <= 4)


start_bus()
start_desktop(wm)
# Started at once, as from GNOME Shell's overview as the session starts:
# the panels may reserve their room only after the window is placed.
app, main = start_program(program)
close_overview()
if failures:
    report(wm)  # nothing further can be checked, or would end in time
centred(main, "main window")
shot("main")
gnome = os.environ.get("XDG_CURRENT_DESKTOP") == "GNOME"
if gnome:
    # GNOME's platform theme, where installed (a minimal install has none),
    # gives the windows GNOME's palette (Qt 6.8): every text must still
    # stand out.
    themed = glob.glob("/usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so")
    check("GNOME's platform theme is loaded", not themed or "libqgtk3" in open(f"/proc/{app.pid}/maps").read())
    legible("FretSight", main)
run("wmctrl", "-i", "-r", str(main), "-b", "add,fullscreen")
run("wmctrl", "-i", "-r", str(main), "-b", "add,maximized_vert,maximized_horz")
time.sleep(1)
check("the main window can be neither maximized nor made full screen",
      geometry(main)[0][2:] == (674, 422) and "FULLSCREEN" not in prop(main, "_NET_WM_STATE"))

# Each dialog, its opener and its closing button.
for title, opener, closer in [("Tuning of Strings", "Tuning..", "OK"), ("Copy Scales to Clipboard", "Copy..", "Cancel"),
                              ("About", "About...", "OK")]:
    press("FretSight", opener)
    dialog = wait_for(lambda: window(title))
    if not check(f"{title}: opens", dialog):
        continue
    time.sleep(0.5)
    centred(dialog, title)
    if gnome:
        legible(title, dialog)
    modal = lambda: all(s in prop(dialog, "_NET_WM_STATE") for s in ("MODAL", "SKIP_TASKBAR", "SKIP_PAGER"))
    check(f"{title}: modal, out of the task bar and the pager ({prop(dialog, '_NET_WM_STATE').strip()})",
          wait_for(modal, 3))
    check(f"{title}: no icon", "not found" in prop(dialog, "_NET_WM_ICON"))
    check(f"{title}: kept above the main window", f"{main:#x}" in prop(dialog, "WM_TRANSIENT_FOR"))
    shot(title.split()[0].lower())
    placed = geometry(dialog)
    # Minimized (as a task bar asks, or with the Alt+F9 key binding of all
    # three), then the main window activated from the task bar, since it may
    # have gone down with its dialog.
    for request in (["windowminimize", str(dialog)], ["key", "alt+F9"], ["key", "super+h"]) * 2:
        run("xdotool", *request)
        if wait_for(lambda: not viewable(dialog), 2):
            break
    if not wait_for(lambda: not viewable(dialog), 5):
        # GNOME, and xfwm4 from 4.20 on, honour the dialogs' hint and offer
        # no way to minimize them; xfwm4 4.20 now and then takes the dialog
        # down with its main window all the same, seconds after the keys.
        check(f"{title}: kept up, where the window manager offers no minimizing",
              "_NET_WM_ACTION_MINIMIZE" not in prop(dialog, "_NET_WM_ALLOWED_ACTIONS") and viewable(main))
    time.sleep(0.3)
    run("wmctrl", "-i", "-a", str(main))
    # Back where it was (some window managers animate the way back).
    back = lambda: viewable(dialog) and active() == dialog and geometry(dialog) == placed
    check(f"{title}: back and active after activating the main window", wait_for(back, 5))
    time.sleep(0.5)
    check(f"{title}: still modal and out of the task bar and the pager", modal())
    spot = uncovered(main, dialog)
    if check(f"{title}: a point of the main window that the dialog leaves uncovered ({spot})", spot):
        click_at(*spot)
        check(f"{title}: back in front and active after a click on the main window", wait_for(back, 5))
        # The keys reach the dialog: a real Escape closes it.
        run("xdotool", "key", "Escape")
        check(f"{title}: Escape closes it after a click on the main window", wait_for(lambda: not viewable(dialog), 5))
        press("FretSight", opener)
        wait_for(lambda: viewable(dialog) and active() == dialog, 5)
    shot(title.split()[0].lower() + "-back")
    press(title, closer)
    check(f"{title}: usable, its button closes it", wait_for(lambda: not viewable(dialog), 5))
    check(f"{title}: the main window is active again", wait_for(lambda: active() == main, 5))

# Shown again after its button was clicked, the about box draws nothing as
# hovered while the pointer is away.
looks = []
for _ in range(2):
    press("FretSight", "About...")
    about = wait_for(lambda: window("About"))
    run("xdotool", "mousemove", "0", "0")
    time.sleep(0.8)
    looks.append(capture(about))
    press("About", "OK")
    wait_for(lambda: not viewable(about), 5)
check("the about box looks the same when shown again", looks[0] and looks[0] == looks[1])

# Both clipboards of the session get every flavour: X11's, and in a Wayland
# session the compositor's, where wl-paste may read it (GNOME Shell gives it
# to focused windows only): not even wl-copy's probe, then.
wayland = os.environ.get("WAYLAND_DISPLAY")
if wayland:
    subprocess.run(["wl-copy", "--type", "text/x-probe", "probe"], timeout=10)
    wayland = wait_for(lambda: wl_paste("text/x-probe") == b"probe", 2)
    wayland or print("skipped: the compositor lets wl-paste read no clipboard")
copy_keys()
for target in ("text/plain", "text/html", "text/rtf"):
    check(f"{target} on the X11 clipboard", DIAGRAMS_TITLE in clipboard(target))
    if wayland:
        check(f"{target} on the Wayland clipboard", DIAGRAMS_TITLE in wl_paste(target))
end_program(app)
report(wm)
