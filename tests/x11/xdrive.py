# SPDX-License-Identifier: GPL-3.0-or-later
# What every check on a real desktop shares: real input (xdotool, wmctrl),
# controls found by their names as a screen reader finds them (AT-SPI),
# results read from outside (xprop, xwininfo, xclip), the window managers
# and how each starts, the note names, and one way to report and end.
import atexit, os, re, shutil, subprocess, tempfile, time
from collections import Counter

import pyatspi

failures = []


def run(*args, text=True, timeout=30):
    try:
        return subprocess.run(args, capture_output=True, text=text, timeout=timeout).stdout
    except subprocess.TimeoutExpired:
        return "" if text else b""


def check(what, ok):
    print(("ok: " if ok else "FAIL: ") + what, flush=True)  # all of it, should the check be killed
    if not ok:
        failures.append(what)
    return ok


# Ends the check with its tally (after the end of GNOME Shell's log, should
# it have failed), stopping whatever it started; at once, for pyatspi can
# wait forever as Python shuts down once the accessibility bus is gone
# (at-spi2-core 2.56).
def report(name):
    if failures and os.environ.get("FRETSIGHT_SHELL_LOG"):
        print(open(os.environ["FRETSIGHT_SHELL_LOG"]).read()[-3000:], *failures, sep="\nFAIL: ")
    print(f"{name}: {len(failures)} failed", flush=True)
    atexit._run_exitfuncs()
    os._exit(1 if failures else 0)


# The probe's first true value within the time, else its last value.
def wait_for(probe, timeout=10.0):
    end = time.time() + timeout
    while True:
        try:
            value = probe()
        except Exception:
            value = None
        if value or time.time() > end:
            return value
        time.sleep(0.1)


# Nothing a check starts outlives it, nor what that started (the
# accessibility bus launcher's bus).
def stop_at_exit(process):
    atexit.register(lambda: process.poll() is None and (run("pkill", "-P", str(process.pid)), process.kill(),
                                                        process.wait()))
    return process


# A folder of the check's own, gone when it ends, unless something failed.
def scratch(prefix):
    folder = tempfile.mkdtemp(prefix=prefix)
    atexit.register(lambda: failures or shutil.rmtree(folder, True))
    return folder


def spawn(command, stderr=subprocess.DEVNULL, **kwargs):
    return stop_at_exit(subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=stderr, **kwargs))


def prop(win, name):
    return run("xprop", "-id", str(win), name)


# The program's visible window of that title: GNOME 44 and later draw frames
# in a client of their own (mutter-x11-frames), named like what they frame.
def window(title):
    for win in run("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$").split():
        if "fretsight" in prop(win, "WM_CLASS").lower():
            return int(win)


# The client rectangle on the screen, and the frame around it.
def geometry(win):
    info = run("xwininfo", "-id", str(win))
    x, y, w, h = (int(re.search(p + r":\s+(-?\d+)", info).group(1))
                  for p in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))
    left, right, top, bottom = map(int, re.findall(r"\d+", prop(win, "_NET_FRAME_EXTENTS").split("=")[-1]) or [0] * 4)
    return (x, y, w, h), (x - left, y - top, w + left + right, h + top + bottom)


def click_at(x, y):
    run("xdotool", "mousemove", str(x), str(y), "click", "1")
    time.sleep(0.3)


def dbus(dest, path, method, *args):
    return run("dbus-send", "--session", "--print-reply", f"--dest={dest}", path, method, *args)


# The session's accessibility bus, as a desktop starts it (one that a
# desktop started already stays).
def start_bus():
    spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    check("the accessibility bus runs", wait_for(lambda: "true" in dbus(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus")))


# The object and all below it, depth first; not into lists and the board.
def walk(root):
    yield root
    if root.getRole() not in (pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_IMAGE):
        for child in map(root.getChildAtIndex, range(root.childCount)):
            yield from walk(child) if child else ()


# One of the program's windows, as a screen reader reads it.
def top(title):
    desktop = pyatspi.Registry.getDesktop(0)
    app = next((a for a in map(desktop.getChildAtIndex, range(desktop.childCount)) if a and a.name == "FretSight"))
    role = pyatspi.ROLE_FRAME if title == "FretSight" else pyatspi.ROLE_DIALOG
    return next(a for a in walk(app) if a.getRole() == role and a.name == title)


# Clicks a control of the program's window of that title, found by its name:
# a button at its centre, a check box on its box.
def press(title, name, role=pyatspi.ROLE_PUSH_BUTTON):
    acc = wait_for(lambda: next(a for a in walk(top(title)) if a.getRole() == role and a.name == name))
    if not check(f"{title}: {name!r} found", acc):
        return
    ex = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    click_at(ex.x + (ex.height if role == pyatspi.ROLE_CHECK_BOX else ex.width) // 2, ex.y + ex.height // 2)


def managed():
    return "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")


# Starts a window manager and waits until it runs (a second go if it loses a
# race at its start).
def start_wm(command, **kwargs):
    for _ in range(2):
        process = spawn(command, **kwargs)
        if wait_for(managed):
            break
        process.kill()
    check(f"{command[0]} runs", managed())


# Starts a window manager, or GNOME Shell with what it needs, on the running
# X server; in a Wayland session (kwin-wayland, gnome-wayland) the
# compositor runs already.
def start_desktop(name):
    if name.endswith("-wayland"):
        return check(f"{name} manages the X windows", wait_for(managed, 60))  # slow to start on a loaded machine
    if name == "gnome-shell":
        # A bus of its own in the system bus's place, for GNOME asks for one.
        address, pid = run("dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf", "--print-address=1",
                           "--print-pid=1", "--fork").split()
        atexit.register(run, "kill", pid)
        os.environ.update(DBUS_SYSTEM_BUS_ADDRESS=address, XDG_CURRENT_DESKTOP="GNOME", XDG_SESSION_TYPE="x11",
                          FRETSIGHT_SHELL_LOG=os.path.join(scratch("gnome-shell-"), "log"))
        return start_wm(["gnome-shell", "--x11", "--replace"], stderr=open(os.environ["FRETSIGHT_SHELL_LOG"], "w"))
    if name == "kwin_x11":
        os.environ.update(XDG_CURRENT_DESKTOP="KDE", XDG_SESSION_TYPE="x11")
    start_wm([name, "--replace"])


# GNOME Shell takes no input until its start-up animation, which opens the
# overview, has ended (a slow machine may take long to load the
# background); its log, FRETSIGHT_SHELL_LOG, says when. The overview is
# closed then, and stays closed.
def close_overview():
    log = os.environ.get("FRETSIGHT_SHELL_LOG")
    if log:
        check("GNOME Shell has started", wait_for(lambda: "GNOME Shell started" in open(log).read(), 120))
        shell, active = ("org.gnome.Shell", "/org/gnome/Shell"), ("string:org.gnome.Shell", "string:OverviewActive")
        dbus(*shell, "org.freedesktop.DBus.Properties.Set", *active, "variant:boolean:false")
        check("GNOME Shell's overview closed",
              wait_for(lambda: "boolean false" in dbus(*shell, "org.freedesktop.DBus.Properties.Get", *active), 5))


# Starts the program and waits for its main window and for a screen reader
# to see it.
def start_program(program):
    app = stop_at_exit(subprocess.Popen([program]))
    main = wait_for(lambda: window("FretSight"))
    check("the main window appears", main)
    check("a screen reader sees the main window", wait_for(lambda: top("FretSight")))
    time.sleep(0.5)
    return app, main


# Ends the program with its "Exit Program" button; a clean exit also means no
# sanitizer report in instrumented builds.
def end_program(app):
    press("FretSight", "Exit Program")
    try:
        check("Exit Program ends the program with status 0", app.wait(10) == 0)
    except subprocess.TimeoutExpired:
        check("Exit Program ends the program", False)
        app.kill()


# Opens the copy dialog, clicks the key boxes given, then "Copy to Clipboard".
def copy_keys(toggle=()):
    title = "Copy Scales to Clipboard"
    press("FretSight", "Copy..")
    wait_for(lambda: window(title))
    for k in toggle:
        press(title, f"Key {SPOKEN[k]}", pyatspi.ROLE_CHECK_BOX)
    press(title, "Copy to Clipboard")
    wait_for(lambda: not window(title), 5)
    time.sleep(0.3)


def clipboard(target):
    return run("xclip", "-selection", "clipboard", "-o", "-t", target, text=False, timeout=10)


# A clipboard manager, given time to watch the clipboard.
def start_clipboard_manager(name):
    process = spawn([name])
    time.sleep(3)
    check(f"{name} runs", process.poll() is None)
    return process


DIAGRAMS_TITLE = b"FretSight Scale Diagrams"  # the copy's first line, in every flavour
NOTES = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]
SPOKEN = [n.replace("#", " sharp") for n in NOTES]


# What the X server shows of a window, 8 bits a channel (import waits
# forever on a window that has gone).
def capture(win):
    return run("import", "-window", str(win), "-depth", "8", "rgb:-", text=False)


def contrast(a, b):
    lum = lambda rgb: sum(w * (v / 255 / 12.92 if v <= 10 else ((v / 255 + 0.055) / 1.055) ** 2.4)
                          for w, v in zip((0.2126, 0.7152, 0.0722), rgb))
    high, low = sorted((lum(a), lum(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


# Checks every text a window shows at 4.5:1 or more against what is behind
# it: the commonest colour of its place against the colour most unlike it
# (anti-aliased small text may fill no pixel twice with one).
def legible(title, win):
    (x, y, w, h), _ = geometry(win)
    data = capture(win)
    texts = (pyatspi.ROLE_LABEL, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_COMBO_BOX)
    for acc in walk(top(title)):
        ex = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        if acc.getRole() not in texts or not acc.name or ex.height < 6 or \
                not acc.getState().contains(pyatspi.STATE_SHOWING):
            continue  # a string's line in the tuning dialog is one pixel high, and shows no text
        pixels = Counter(data[3 * (w * r + c):3 * (w * r + c) + 3] for r in range(ex.y - y, ex.y - y + ex.height)
                         for c in range(ex.x - x, ex.x - x + ex.width))
        back = pixels.most_common(1)[0][0]
        ratio = max((contrast(back, p) for p in pixels if p != back), default=1.0)
        check(f"{title}: {acc.name!r} at {ratio:.1f}:1", ratio >= 4.5)
