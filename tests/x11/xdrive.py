# SPDX-License-Identifier: GPL-3.0-or-later
"""What every check on a real desktop shares: real input (xdotool, wmctrl),
controls found by their names as a screen reader finds them (AT-SPI),
results read from outside (xprop, xwininfo, xclip), the window managers and
how each starts, the scale rule written from its definition, and one way to
report and end."""
import atexit, os, re, subprocess, sys, time

import pyatspi

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


def report(name):
    """Ends the check with its tally: whatever it started is stopped, and it
    leaves at once, since pyatspi can wait forever as Python shuts down once
    the accessibility bus is gone (seen with at-spi2-core 2.56)."""
    print(f"{name}: {len(failures)} failed")
    sys.stdout.flush()
    atexit._run_exitfuncs()
    os._exit(1 if failures else 0)


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


def stop_at_exit(process):
    """Whatever happens to the check, nothing it started outlives it."""
    atexit.register(lambda: process.poll() is None and (process.kill(), process.wait()))
    return process


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


def screen_size():
    return tuple(map(int, re.search(r"dimensions:\s+(\d+)x(\d+)", run("xdpyinfo")).groups()))


# The accessibility bus and what a screen reader reads through it. Roles by
# their numbers: at-spi2-core 2.56 names ROLE_PUSH_BUTTON "button".
COMBO, BUTTON, IMAGE, DIALOG, CHECK, FRAME, LABEL = (
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_IMAGE, pyatspi.ROLE_DIALOG,
    pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_FRAME, pyatspi.ROLE_LABEL)


def bus_status(flag, on=None):
    """Reads, or sets, one of the accessibility bus's switches."""
    if on is None:
        return "true" in run("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
                             "org.freedesktop.DBus.Properties.Get", "string:org.a11y.Status", f"string:{flag}")
    run("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
        "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", f"string:{flag}",
        f"variant:boolean:{'true' if on else 'false'}")


def start_bus():
    """The session's accessibility bus, as a desktop starts it (one that a
    desktop started already stays), with no screen reader switched on."""
    stop_at_exit(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    owned = lambda: "true" in run("dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                  "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus")
    check("the accessibility bus runs", wait_for(owned))


def app_root():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == "FretSight":
            return child
    return None


def find(root, role, name=None):
    """Depth first: the first object of a role and name, not looking into
    lists and the board, whose many children no check looks for."""
    if root is None:
        return None
    if root.getRole() == role and name in (None, root.name):
        return root
    if root.getRole() in (COMBO, IMAGE):
        return None
    for i in range(root.childCount):
        found = find(root.getChildAtIndex(i), role, name)
        if found:
            return found
    return None


def walk(root):
    """The object and all below it, depth first."""
    yield root
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child:
            yield from walk(child)


def states(acc):
    return {pyatspi.stateToString(s) for s in acc.getState().getStates()}


def top(title):
    """One of the program's windows, as a screen reader reads it."""
    return find(app_root(), FRAME if title == "FretSight" else DIALOG, title)


def press(title, name, role=BUTTON):
    """Clicks a control of the program's window of that title, found by its
    name: a button at its centre, a check box on its box."""
    acc = wait_for(lambda: find(top(title), role, name))
    if not acc:
        return check(f"{title}: {name!r} found", False)
    ex = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    x = ex.x + (ex.height // 2 if role == CHECK else ex.width // 2)
    run("xdotool", "mousemove", str(x), str(ex.y + ex.height // 2), "click", "1")
    time.sleep(0.3)
    return True


def start_wm(command, env=None):
    """Starts a window manager and waits until it runs (a second go if it
    loses a race at its start)."""
    managed = lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")
    for _ in range(2):
        process = stop_at_exit(subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                                env=env))
        if wait_for(managed):
            break
        process.kill()
    check(f"{command[0]} runs", managed())
    return process


def close_gnome_overview():
    """GNOME Shell opens its overview at start, as after a log-in, and may
    open it again once its start-up animation ends: closed until it stays
    closed."""
    shell = ["dbus-send", "--session", "--dest=org.gnome.Shell", "--print-reply", "/org/gnome/Shell"]
    closed = 0
    for _ in range(30):
        run(*shell, "org.freedesktop.DBus.Properties.Set", "string:org.gnome.Shell",
            "string:OverviewActive", "variant:boolean:false")
        reply = run(*shell, "org.freedesktop.DBus.Properties.Get", "string:org.gnome.Shell", "string:OverviewActive")
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
    running X server; in a Wayland session (kwin-wayland, gnome-wayland) the
    compositor runs already."""
    if name.endswith("-wayland"):
        check(f"{name} manages the X windows", wait_for(
            lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")))
        if name.startswith("gnome"):
            check("GNOME Shell's overview closed", close_gnome_overview())
        return None
    if name == "gnome-shell":
        # A bus of its own in the system bus's place, for GNOME asks for one.
        address = run("dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf", "--print-address", "--fork")
        os.environ.update(DBUS_SYSTEM_BUS_ADDRESS=address.splitlines()[0], XDG_CURRENT_DESKTOP="GNOME",
                          XDG_SESSION_TYPE="x11")
    elif name == "kwin_x11":
        os.environ.update(XDG_CURRENT_DESKTOP="KDE", XDG_SESSION_TYPE="x11")
    process = start_wm(X11_DESKTOPS[name])
    if name == "gnome-shell":
        check("GNOME Shell's overview closed", close_gnome_overview())
    return process


def start_program(program):
    """Starts the program and waits for its main window and for a screen
    reader to see it."""
    app = stop_at_exit(subprocess.Popen([program]))
    main = wait_for(lambda: window("FretSight"))
    check("the main window appears", main)
    check("a screen reader sees the main window", wait_for(lambda: top("FretSight")))
    time.sleep(0.5)
    return app, main


def end_program(app):
    """Ends the program with its "Exit Program" button; a clean exit also
    means no sanitizer report in instrumented builds."""
    press("FretSight", "Exit Program")
    try:
        check("Exit Program ends the program with status 0", app.wait(10) == 0)
    except subprocess.TimeoutExpired:
        check("Exit Program ends the program", False)
        app.kill()


def copy_keys(toggle=()):
    """Opens the copy dialog, clicks the key boxes given, then "Copy to
    Clipboard"."""
    title = "Copy Scales to Clipboard"
    press("FretSight", "Copy..")
    wait_for(lambda: window(title))
    for k in toggle:
        press(title, f"Key {SPOKEN[k]}", CHECK)
    press(title, "Copy to Clipboard")
    wait_for(lambda: not window(title), 5)
    time.sleep(0.3)


def clipboard(target):
    return subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", target],
                          capture_output=True, timeout=10).stdout


def clipboard_targets():
    return clipboard("TARGETS").decode(errors="replace").split()


def start_clipboard_manager(name):
    """Starts a clipboard manager and gives it time to watch the clipboard."""
    process = stop_at_exit(subprocess.Popen([name], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    time.sleep(3)
    check(f"{name} runs", process.poll() is None)
    return process


# The scale rule, written from its definition, not from the program's.
NOTES = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]
SPOKEN = [n.replace("#", " sharp") for n in NOTES]
MAJOR, AUGMENTED = [0, 2, 4, 5, 7, 9, 11], [0, 3, 4, 7, 8, 11]
STANDARD = (4, 11, 7, 2, 9, 4)


def degree(note, key, steps):
    """A note's degree in the scale of the steps given above the key; None
    off the scale."""
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
