# SPDX-License-Identifier: GPL-3.0-or-later
"""Reading the program as a screen reader does: an accessibility bus of
the session's own, and a client of it (pyatspi)."""
import os, subprocess, sys, time

import pyatspi
from gi.repository import GLib

from xdrive import run, stop_at_exit

# Roles by their numbers: at-spi2-core 2.56 names ROLE_PUSH_BUTTON "button".
COMBO, BUTTON, IMAGE, DIALOG, CHECK, FRAME, LABEL = (
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_IMAGE, pyatspi.ROLE_DIALOG,
    pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_FRAME, pyatspi.ROLE_LABEL)


def start_bus():
    """The session's accessibility bus, as a desktop starts it. Stop it
    before the check ends: pyatspi would wait for it as Python shuts down."""
    launcher = stop_at_exit(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"]))
    time.sleep(1)
    return launcher


def screen_reader(flag, on):
    run("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
        "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", f"string:{flag}",
        f"variant:boolean:{'true' if on else 'false'}")


def pump(seconds):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def find(root, role, name=None, label=None):
    """Depth-first: the first object of a role, by its name or by the name
    of the label it is labelled by."""
    if root.getRole() == role and name in (None, root.name) and (label is None or label in labels(root)):
        return root
    children = (root.getChildAtIndex(i) for i in range(root.childCount))
    return next((found for child in children if child for found in [find(child, role, name, label)] if found),
                None)


def labels(acc):
    return [r.getTarget(i).name for r in acc.getRelationSet()
            if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]


def states(acc):
    return {pyatspi.stateToString(s) for s in acc.getState().getStates()}


def app_root():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == "FretSight":
            return child
    return None


def walk(root):
    """The object and all below it, depth first."""
    yield root
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child:
            yield from walk(child)


def leave(bus, failed):
    """Ends the check: the bus stopped, the output flushed, and at once, since
    without the bus pyatspi can wait forever as Python shuts down (seen with
    at-spi2-core 2.56)."""
    bus.terminate()
    sys.stdout.flush()
    os._exit(1 if failed else 0)
