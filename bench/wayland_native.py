#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Measures what a user of a Wayland session gets from FretSight run as a
Wayland client (QT_QPA_PLATFORM=wayland) and as an X11 client (the
program's choice where Xwayland is there): whether the compositor offers
title bars of its own and modal dialogs (as its Wayland log shows), and
whether a copy reaches the session's clipboard and outlives the program.
Driven by real key presses: the compositor's own input for the Wayland
client (GNOME: Mutter's remote desktop; KDE: KWin's fake input),
xdotool for the X11 one. Prints a line per finding; not a test.

Usage, in a session of tests/x11/wayland_session.sh:
  wayland_native.py PROGRAM kwin|gnome   (scripts/wayland-native.sh runs both)"""
import os, re, subprocess, sys, tempfile, time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "x11"))
from xdrive import DIAGRAMS_TITLE, clipboard, close_gnome_overview, run  # noqa: E402

program, desktop = sys.argv[1], sys.argv[2]
TITLE = DIAGRAMS_TITLE.encode()
connections = []  # Wayland connections of this script's own, closed at the end


def mutter_keys():
    from gi.repository import Gio, GLib
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    proxy = lambda path, iface: Gio.DBusProxy.new_sync(bus, 0, None, "org.gnome.Mutter.RemoteDesktop", path,
                                                         iface, None)
    path = proxy("/org/gnome/Mutter/RemoteDesktop", "org.gnome.Mutter.RemoteDesktop").call_sync(
        "CreateSession", None, 0, -1, None).unpack()[0]
    session = proxy(path, "org.gnome.Mutter.RemoteDesktop.Session")
    session.call_sync("Start", None, 0, -1, None)
    keysyms = {"Tab": 0xff09, "space": 0x20, "Shift_L": 0xffe1}

    def press(name):
        for down in (True, False):
            session.call_sync("NotifyKeyboardKeysym", GLib.Variant("(ub)", (keysyms[name], down)), 0, -1, None)
            time.sleep(0.05)
    # Mutter makes the session's keyboard on its first key, and a window
    # already focused then never hears of it.
    press("Shift_L")
    time.sleep(1)
    return press


def kwin_keys():
    """KWin's fake input protocol, offered where its permission checks are
    off (KWIN_WAYLAND_NO_PERMISSION_CHECKS, as KWin's own tests run)."""
    generated = tempfile.mkdtemp()
    run(sys.executable, "-m", "pywayland.scanner", "-i", "/usr/share/plasma-wayland-protocols/fake-input.xml",
        "-o", generated)
    sys.path.insert(0, generated)
    from pywayland.client import Display
    from fake_input import OrgKdeKwinFakeInput
    display = Display()
    display.connect()
    connections.append(display)
    registry = display.get_registry()
    found = {}

    def on_global(registry, name, interface, version):
        if interface == "org_kde_kwin_fake_input":
            found["input"] = registry.bind(name, OrgKdeKwinFakeInput, version)
    registry.dispatcher["global"] = on_global
    display.roundtrip()
    fake = found["input"]
    fake.authenticate("FretSight measurement", "key presses")
    codes = {"Tab": 15, "space": 57}  # Linux input event codes

    def press(name):
        for state in (1, 0):
            fake.keyboard_key(codes[name], state)
            display.roundtrip()
            time.sleep(0.05)
    return press


def xdotool_keys(name):
    run("xdotool", "key", name)


def on_wayland_clipboard():
    """None where wl-paste can read nothing (on GNOME, from a seat without
    a keyboard)."""
    try:
        paste = subprocess.run(["wl-paste", "--no-newline", "--type", "text/plain"], capture_output=True, timeout=5)
    except subprocess.TimeoutExpired:
        return None
    # Nothing there, or something without text: not the program's copy.
    empty = any(said in paste.stderr for said in (b"Nothing is copied", b"No selection", b"not available"))
    return TITLE in paste.stdout if paste.returncode == 0 or empty else None


def measure(platform, press):
    env = dict(os.environ, QT_QPA_PLATFORM=platform)
    log = f"/tmp/native-{platform}.log"
    if platform == "wayland":
        env["WAYLAND_DEBUG"] = "client"
    with open(log, "w") as out:
        app = subprocess.Popen([program], env=env, stdout=out, stderr=subprocess.STDOUT)
    time.sleep(4)

    def presses(*names):
        for name in names:
            press(name)
            time.sleep(0.2)
    # From the board: Key, Scale Type, Tuning.., About..., Copy..; then in
    # the copy dialog past its twelve key boxes to "Copy to Clipboard".
    presses(*["Tab"] * 5, "space")
    time.sleep(1.5)
    presses(*["Tab"] * 12, "space")
    time.sleep(2)
    found = {"x11 clipboard while running": TITLE in clipboard("text/plain"),
             "wayland clipboard while running": on_wayland_clipboard()}
    # Back on "Copy..": the next is "Exit Program".
    presses("Tab", "space")
    try:
        app.wait(10)
        found["ended by Exit Program"] = True
    except subprocess.TimeoutExpired:
        found["ended by Exit Program"] = False
        app.kill()
    time.sleep(1.5)
    found["x11 clipboard after exit"] = TITLE in clipboard("text/plain")
    found["wayland clipboard after exit"] = on_wayland_clipboard()
    if platform == "wayland":
        text = open(log, errors="replace").read()
        globals_ = set(re.findall(r'wl_registry[@#]\d+\.global\(\d+, "([a-z_0-9]+)"', text))
        for interface in ("xdg_wm_dialog_v1", "zxdg_decoration_manager_v1", "xdg_activation_v1"):
            found[f"compositor offers {interface}"] = interface in globals_
        found["dialogs sent as modal (xdg_dialog_v1.set_modal)"] = bool(
            re.search(r"xdg_dialog_v1[@#]\d+\.set_modal", text))
        found["title bars drawn by the compositor"] = bool(
            re.search(r"zxdg_toplevel_decoration_v1[@#]\d+\.configure\(2\)", text))
    for what, value in found.items():
        print(f"{desktop} {platform}: {what}: {'cannot tell' if value is None else 'yes' if value else 'no'}")


if desktop == "gnome":
    close_gnome_overview()
run("wl-copy", "before")  # something of another program's on the clipboard first
time.sleep(0.5)
# The compositor's keyboard is kept to the end: on GNOME wl-paste reads
# nothing from a seat without one.
keys = mutter_keys() if desktop == "gnome" else kwin_keys()
measure("wayland", keys)
run("wl-copy", "before")
time.sleep(0.5)
measure("xcb", xdotool_keys)
for display in connections:
    display.disconnect()
