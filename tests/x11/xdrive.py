# SPDX-License-Identifier: GPL-3.0-or-later
"""Driving real windows from outside: real X input through xdotool and
wmctrl, results read through xprop and xwininfo, and a running tally."""
import atexit, os, re, subprocess, time

failures = []


def run(*args):
    try:
        return subprocess.run(args, capture_output=True, text=True, timeout=30).stdout
    except subprocess.TimeoutExpired:
        return ""


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


def window(title, program="fretsight"):
    """The program's visible window of that title. Another client's window
    may carry the same title: GNOME 44 and later draw frames in a client of
    their own (mutter-x11-frames), whose frame windows are named like the
    windows they frame."""
    for win in run("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$").split():
        if program.lower() in prop(win, "WM_CLASS").lower():
            return int(win)
    return None


def geometry(win):
    """The client rectangle on the screen, and the frame around it."""
    if not win:
        raise ValueError("no window")
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


def start_wm(command, env=None):
    """Starts a window manager and waits until it runs (a second go if it
    loses a race at its start)."""
    for _ in range(2):
        process = stop_at_exit(subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                                env=env))
        if wait_for(lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")):
            break
        process.kill()
    check(f"{command[0]} runs", "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"))
    return process


def system_bus():
    """A private bus in the system bus's place, for desktops that ask for
    one; its address goes into the environment of what is started after."""
    address = subprocess.run(["dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf",
                              "--print-address", "--fork"], capture_output=True, text=True).stdout
    os.environ["DBUS_SYSTEM_BUS_ADDRESS"] = address.splitlines()[0]


def close_gnome_overview():
    """GNOME Shell opens its overview at start, as after a log-in, and may
    open it again once its start-up animation ends: closed until it stays
    closed."""
    closed = 0
    for _ in range(30):
        subprocess.run(["dbus-send", "--session", "--dest=org.gnome.Shell", "--print-reply", "/org/gnome/Shell",
                        "org.freedesktop.DBus.Properties.Set", "string:org.gnome.Shell",
                        "string:OverviewActive", "variant:boolean:false"], capture_output=True)
        reply = run("dbus-send", "--session", "--dest=org.gnome.Shell", "--print-reply", "/org/gnome/Shell",
                    "org.freedesktop.DBus.Properties.Get", "string:org.gnome.Shell", "string:OverviewActive")
        closed = closed + 1 if "boolean false" in reply else 0
        if closed == 3:
            return True
        time.sleep(0.5)
    return False


# The X11 window managers and how each is started on the running X server.
X11_DESKTOPS = {"openbox": ["openbox"], "metacity": ["metacity", "--replace"],
                "xfwm4": ["xfwm4", "--replace"], "kwin_x11": ["kwin_x11", "--replace"],
                "gnome-shell": ["gnome-shell", "--x11", "--replace"]}


def start_desktop(name):
    """Starts a window manager, or GNOME Shell with what it needs, on the
    running X server; in a Wayland session (kwin_wayland, gnome-shell-wayland)
    the compositor runs already."""
    if name.endswith("_wayland") or name.endswith("-wayland"):
        check(f"{name} manages the X windows", wait_for(
            lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")))
        if name.startswith("gnome"):
            check("GNOME Shell's overview closed", close_gnome_overview())
        return None
    if name == "gnome-shell":
        system_bus()
        os.environ.update(XDG_CURRENT_DESKTOP="GNOME", XDG_SESSION_TYPE="x11")
    elif name == "kwin_x11":
        os.environ.update(XDG_CURRENT_DESKTOP="KDE", XDG_SESSION_TYPE="x11")
    process = start_wm(X11_DESKTOPS[name])
    if name == "gnome-shell":
        check("GNOME Shell's overview closed", close_gnome_overview())
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


def stop_at_exit(process):
    """Whatever happens to the check, nothing it started outlives it."""
    atexit.register(lambda: process.poll() is None and process.kill())
    return process


def start_program(program):
    """Starts the program and waits for its main window."""
    app = stop_at_exit(subprocess.Popen([program]))
    main = wait_for(lambda: window("FretSight"))
    check("the main window appears", main)
    time.sleep(1)
    return app, main


# The copy dialog's key box K, by note index: three columns of four.
def key_box(k):
    return (16 + 64 * (k // 4) + 8, 120 + 24 * (k % 4) + 8)


def copy_keys(main, toggle=()):
    """Opens the copy dialog, clicks the key boxes given, then "Copy to
    Clipboard"."""
    click(main, *COPY)
    dialog = wait_for(lambda: window("Copy Scales to Clipboard"))
    time.sleep(0.5)
    for k in toggle:
        click(dialog, *key_box(k))
    click(dialog, *COPY_TO_CLIPBOARD)
    wait_for(lambda: not window("Copy Scales to Clipboard"), 5)
    time.sleep(0.3)


def clipboard(target):
    return subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", target],
                          capture_output=True, timeout=10).stdout


def clipboard_targets():
    return clipboard("TARGETS").decode(errors="replace").split()


def start_clipboard_manager(name):
    """Starts a clipboard manager and waits until it watches the clipboard."""
    process = stop_at_exit(subprocess.Popen([name], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    time.sleep(3)
    check(f"{name} runs", process.poll() is None)
    return process


NOTES = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]
MAJOR, DORIAN = [0, 2, 4, 5, 7, 9, 11], [0, 2, 3, 5, 7, 9, 10]
STANDARD = (4, 11, 7, 2, 9, 4)


def degree(note, key, steps):
    """A note's degree in the scale of the steps given above the key, worked
    out here, not by the program's rules; None off the scale."""
    step = (note - key) % 12
    return steps.index(step) + 1 if step in steps else None


# The copied text's first line, in every flavour.
DIAGRAMS_TITLE = "FretSight Scale Diagrams"


def major_diagram(keys, tuning=STANDARD):
    """The copied text for the major scale in the keys given."""
    lines = [DIAGRAMS_TITLE, "",
             "The following are fretboard diagram(s) showing scale patterns, copied from FretSight.", "", ""]
    for key in sorted(keys):
        lines += [f"{NOTES[key]} Major Scale, Standard Tuning.", ""]
        for open_note in tuning:
            cells = [degree(open_note + fret, key, MAJOR) for fret in range(13)]
            lines.append(NOTES[open_note].ljust(6) + f"{cells[0] or ' '} |" +
                         "".join(f"-{d or '-'}-|" for d in cells[1:]))
        lines += ["", "Fret      1   2   3   4   5   6   7   8   9   10  11  12", ""]
    return "".join(line + "\r" for line in lines).encode()
