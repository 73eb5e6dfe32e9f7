# SPDX-License-Identifier: GPL-3.0-or-later
"""Driving real windows from outside: real X input through xdotool and
wmctrl, results read through xprop and xwininfo, and a running tally."""
import re, subprocess, time

failures = []


def run(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout


def check(what, ok):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        failures.append(what)
    return ok


def wait_for(probe, timeout=10.0):
    """The probe's first true value within the time, else its last value."""
    end = time.time() + timeout
    while time.time() < end:
        try:
            value = probe()
        except Exception:
            value = None
        if value:
            return value
        time.sleep(0.1)
    try:
        return probe()
    except Exception:
        return None


def prop(win, name):
    return run("xprop", "-id", str(win), name)


def window(title):
    ids = run("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$").split()
    return int(ids[0]) if ids else None


def geometry(win):
    """The client rectangle on the screen, and the frame around it."""
    info = run("xwininfo", "-id", str(win))
    x, y, w, h = (int(re.search(p + r":\s+(-?\d+)", info).group(1))
                  for p in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
    ext = re.findall(r"\d+", prop(win, "_NET_FRAME_EXTENTS").split("=")[-1]) or ["0"] * 4
    left, right, top, bottom = map(int, ext[:4])
    return (x, y, w, h), (x - left, y - top, w + left + right, h + top + bottom)


def click(win, x, y):
    (cx, cy, _, _), _ = geometry(win)
    run("xdotool", "mousemove", str(cx + x), str(cy + y), "click", "1")
    time.sleep(0.3)


def start_wm(command):
    """Starts a window manager and waits until it runs (a second go if it
    loses a race at its start)."""
    for _ in range(2):
        process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if wait_for(lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")):
            break
        process.kill()
    check(f"{command[0]} runs", "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"))
    return process


# Button positions inside the main window and the copy dialog.
TUNING, COPY, ABOUT, EXIT = (405, 44), (532, 44), (620, 44), (630, 396)
COPY_TO_CLIPBOARD = (288, 148)


def end_program(app, main):
    """Ends the program with its "Exit Program" button; a clean exit also
    means no sanitizer report in instrumented builds."""
    click(main, *EXIT)
    try:
        check("Exit Program ends the program with status 0", app.wait(10) == 0)
    except subprocess.TimeoutExpired:
        check("Exit Program ends the program", False)
        app.kill()
