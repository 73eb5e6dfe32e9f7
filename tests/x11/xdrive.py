# SPDX-License-Identifier: GPL-3.0-or-later
"""What every check on a real desktop shares: real input (xdotool, wmctrl),
controls found by their names as a screen reader finds them (AT-SPI),
results read from outside (xprop, xwininfo, xclip), the window managers and
how each starts, the scale rule written from its definition, and one way to
report and end."""
import atexit, os, re, subprocess, sys, time
from collections import Counter

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
    while True:
        try:
            value = probe()
        except Exception:
            value = None
        if value or time.time() > end:
            return value
        time.sleep(0.1)


def stop_at_exit(process):
    """Whatever happens to the check, nothing it started outlives it, nor
    what that started (the accessibility bus launcher's bus)."""
    atexit.register(lambda: process.poll() is None and (run("pkill", "-P", str(process.pid)), process.kill(),
                                                        process.wait()))
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


def dbus(dest, path, method, *args):
    return run("dbus-send", "--session", "--print-reply", f"--dest={dest}", path, method, *args)


def bus_status(flag, on=None):
    """Reads, or sets, one of the accessibility bus's switches."""
    get_set, value = ("Get", []) if on is None else ("Set", [f"variant:boolean:{str(on).lower()}"])
    return "true" in dbus("org.a11y.Bus", "/org/a11y/bus", f"org.freedesktop.DBus.Properties.{get_set}",
                          "string:org.a11y.Status", f"string:{flag}", *value)


def start_bus():
    """The session's accessibility bus, as a desktop starts it (one that a
    desktop started already stays), with no screen reader switched on."""
    stop_at_exit(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    check("the accessibility bus runs", wait_for(lambda: "true" in dbus(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus")))


def walk(root):
    """The object and all below it, depth first; not into lists and the
    board, whose many children no check looks for."""
    yield root
    if root.getRole() not in (COMBO, IMAGE):
        for child in map(root.getChildAtIndex, range(root.childCount)):
            yield from walk(child) if child else ()


def find(root, role, name=None):
    """Depth first: the first object of a role and name."""
    return next((a for a in walk(root) if a.getRole() == role and name in (None, a.name)), None) if root else None


def app_root():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in map(desktop.getChildAtIndex, range(desktop.childCount)) if a and a.name == "FretSight"),
                None)


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


def managed():
    return "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")


def start_wm(command):
    """Starts a window manager and waits until it runs (a second go if it
    loses a race at its start)."""
    for _ in range(2):
        process = stop_at_exit(subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        if wait_for(managed):
            break
        process.kill()
    check(f"{command[0]} runs", managed())


def close_gnome_overview():
    """GNOME Shell opens its overview at start, as after a log-in, and may
    open it again once its start-up animation ends: closed until it stays
    closed."""
    overview = ("org.gnome.Shell", "/org/gnome/Shell")
    closed = 0
    for _ in range(30):
        dbus(*overview, "org.freedesktop.DBus.Properties.Set", "string:org.gnome.Shell", "string:OverviewActive",
             "variant:boolean:false")
        reply = dbus(*overview, "org.freedesktop.DBus.Properties.Get", "string:org.gnome.Shell", "string:OverviewActive")
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
        check(f"{name} manages the X windows", wait_for(managed))
    elif name == "gnome-shell":
        # A bus of its own in the system bus's place, for GNOME asks for one.
        address = run("dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf", "--print-address", "--fork")
        os.environ.update(DBUS_SYSTEM_BUS_ADDRESS=address.splitlines()[0], XDG_CURRENT_DESKTOP="GNOME",
                          XDG_SESSION_TYPE="x11")
    elif name == "kwin_x11":
        os.environ.update(XDG_CURRENT_DESKTOP="KDE", XDG_SESSION_TYPE="x11")
    if not name.endswith("-wayland"):
        start_wm(X11_DESKTOPS[name])
    if name.startswith("gnome"):
        check("GNOME Shell's overview closed", close_gnome_overview())


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


def start_clipboard_manager(name):
    """Starts a clipboard manager and gives it time to watch the clipboard."""
    process = stop_at_exit(subprocess.Popen([name], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    time.sleep(3)
    check(f"{name} runs", process.poll() is None)
    return process


# The copied text's first line, in every flavour.
DIAGRAMS_TITLE = "FretSight Scale Diagrams"

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


def contrast(a, b):
    lum = lambda rgb: sum(w * (v / 255 / 12.92 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4)
                          for w, v in zip((0.2126, 0.7152, 0.0722), rgb))
    high, low = sorted((lum(a), lum(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def legible(title, win):
    """Checks every text that a window shows at 4.5:1 or more against what is
    behind it: the commonest colour of its place against the colour most
    unlike it (anti-aliased small text may fill no pixel twice with one)."""
    (x, y, w, h), _ = geometry(win)
    data = subprocess.run(["import", "-window", str(win), "-depth", "8", "rgb:-"], capture_output=True).stdout
    for acc in walk(top(title)):
        ex = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if acc.getRole() not in (LABEL, BUTTON, CHECK, COMBO) or not acc.name or ex.height < 6 \
                or "showing" not in states(acc):
            continue  # a string's line in the tuning dialog is one pixel high, and shows no text
        pixels = Counter(data[3 * (w * r + c):3 * (w * r + c) + 3] for r in range(ex.y - y, ex.y - y + ex.height)
                         for c in range(ex.x - x, ex.x - x + ex.width))
        back = pixels.most_common(1)[0][0]
        ratio = max((contrast(back, p) for p in pixels if p != back), default=1.0)
        check(f"{title}: {acc.name!r} at {ratio:.1f}:1", ratio >= 4.5)
