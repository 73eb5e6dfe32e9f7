#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Hostile and broken X clients against the clipboard's owner: random
# selection requests through the X server and sent directly, well-formed and
# malformed (MULTIPLE lists of every shape, changed while the owner reads
# them; foreign, missing and destroyed requestors; forged SelectionClear),
# first at the program owning the clipboard, then at the helper that keeps
# it after exit. Each must stay up, keep the clipboard, serve every flavour
# byte for byte and not grow. A fixed seed makes every run the same.
# Usage, inside an X server: clipboard_fuzz.py PROGRAM [COUNT]
import os, random, sys, time

from Xlib import X, Xatom, display
from Xlib.protocol import event

from xdrive import *

COUNT = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
FLAVOURS = ["UTF8_STRING", "text/plain", "STRING", "TEXT", "text/html", "text/rtf",
            "text/richtext"]
x = display.Display()
x.set_error_handler(lambda *args: None)  # BadWindow and the like are what the requests provoke
root, atom = x.screen().root, x.intern_atom
CLIPBOARD, MULTIPLE, LIST = atom("CLIPBOARD"), atom("MULTIPLE"), atom("FUZZ_LIST")
SLOTS = [atom(f"FUZZ_{i}") for i in range(3)]
TARGETS = [atom(t) for t in FLAVOURS] + [atom("TARGETS"), atom("TIMESTAMP"), atom("NO_SUCH_TARGET")] + [MULTIPLE] * 4
me = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
OURS = 2 ** 32 - 2


# A request from the check's own window, and the property of its answer
# (None for a refusal; -1 when no answer comes). Its time, which no random
# request has, tells its answer from theirs.
def convert(target, pairs=None, fmt=32):
    if pairs is not None:
        me.change_property(LIST, atom("ATOM_PAIR"), fmt, pairs)
    me.convert_selection(CLIPBOARD, target, LIST, OURS)
    x.flush()
    end = time.time() + 10
    while time.time() < end:
        while x.pending_events():
            answer = x.next_event()
            if answer.type == X.SelectionNotify and answer.time == OURS:
                return answer.property
        time.sleep(0.002)
    return -1


def value(prop):
    found = me.get_full_property(prop, X.AnyPropertyType)
    return found and (bytes(found.value) if found.format == 8 else list(found.value))


def memory(pid):
    try:
        with open(f"/proc/{pid}/status") as status:
            return int(next(line for line in status if line.startswith("VmRSS")).split()[1])
    except (OSError, StopIteration):
        return None  # gone


def random_list(rng, requestor, prop):
    fmt = rng.choice((8, 16, 32, 32, 32))
    items = [rng.choice(TARGETS + SLOTS + [0, rng.getrandbits(fmt)]) % (1 << fmt) for _ in range(rng.randrange(9))]
    requestor.change_property(prop, rng.choice((atom("ATOM_PAIR"), Xatom.ATOM, Xatom.INTEGER)), fmt, items)


def fuzz(name, pid, rng):
    owner = x.get_selection_owner(CLIPBOARD)
    others = [root.create_window(0, 0, 1, 1, 0, X.CopyFromParent) for _ in range(3)]
    before = memory(pid)
    for i in range(COUNT):
        requestor = root.create_window(0, 0, 1, 1, 0, X.CopyFromParent) if rng.random() < 0.05 else \
            rng.choice(others + [me])
        selection = CLIPBOARD if rng.random() < 0.9 else rng.choice((Xatom.PRIMARY, rng.getrandbits(29)))
        target = rng.choice(TARGETS) if rng.random() < 0.95 else rng.getrandbits(29)
        prop, when = rng.choice(SLOTS + [LIST, LIST, 0]), rng.choice((X.CurrentTime, 1, 2 ** 32 - 1, rng.getrandbits(31)))
        if target == MULTIPLE and prop:
            random_list(rng, requestor, prop)
        kind = rng.random()
        if kind < 0.5:
            requestor.convert_selection(selection, target, prop, when)
        elif kind < 0.97:
            owner.send_event(event.SelectionRequest(
                time=when, owner=owner if rng.random() < 0.9 else rng.getrandbits(29), selection=selection,
                requestor=requestor if rng.random() < 0.9 else rng.getrandbits(29), target=target, property=prop))
        else:
            owner.send_event(event.SelectionClear(time=when, window=owner, atom=selection))
        if target == MULTIPLE and prop and rng.random() < 0.3:
            random_list(rng, requestor, prop)  # while the owner may be reading it
        if requestor not in others + [me]:
            requestor.destroy()  # mid-transfer
        if i % 250 == 249 and convert(atom("TARGETS")) != LIST:
            break  # gone, hanging or lost its copy
        if i == COUNT // 10:
            before = memory(pid)  # grown since, once warmed up?
    check(f"{name} answers after {i + 1} random requests", convert(atom("TARGETS")) == LIST)
    check(f"{name} still owns the clipboard", x.get_selection_owner(CLIPBOARD) == owner)
    after = memory(pid)
    check(f"{name} has not grown ({before} KiB, then {after})", after and (after - before < 1024 or SANITIZED))
    for target, data in flavours.items():
        check(f"{name} serves {target} as before", clipboard(target) == data)


def multiple(name, served):
    slots = [atom("UTF8_STRING"), SLOTS[0], atom("text/html"), SLOTS[1], atom("NO_SUCH_TARGET"), SLOTS[2]]
    answer = convert(MULTIPLE, slots)
    check(f"{name} {'serves' if served else 'refuses'} a well-formed MULTIPLE ({answer})",
          answer == (LIST if served else X.NONE))
    if served:
        check("each target of it", [value(SLOTS[0]), value(SLOTS[1]), value(LIST)] ==
              [flavours["UTF8_STRING"], flavours["text/html"], slots[:5] + [X.NONE]])
    for pairs, fmt in (([atom("UTF8_STRING")], 32), (slots[:5], 32), ([], 32), (slots[:4], 16)):
        check(f"{name} refuses a MULTIPLE of {len(pairs)} items in format {fmt}", convert(MULTIPLE, pairs, fmt) == X.NONE)


os.environ["QT_LOGGING_RULES"] = "qt.qpa.*.warning=false"  # thousands of them
SANITIZED = "libasan" in run("ldd", sys.argv[1])
start_bus()
app, main = start_program(sys.argv[1])
copy_keys()
flavours = {target: clipboard(target) for target in FLAVOURS}
check("every flavour is on the clipboard", all(DIAGRAMS_TITLE in data for data in flavours.values()))
multiple("the program", True)
fuzz("the program", app.pid, random.Random(36))
end_program(app)
# The helper on this display, not another session's.
helper = wait_for(lambda: next(int(pid) for pid in os.listdir("/proc") if pid.isdigit() and
                               b"fretsight-clipboard" in open(f"/proc/{pid}/cmdline", "rb").read() and
                               f"DISPLAY={os.environ['DISPLAY']}\0".encode() in open(f"/proc/{pid}/environ", "rb").read()))
if check("the helper keeps the clipboard after exit", helper):
    multiple("the helper", False)
    fuzz("the helper", helper, random.Random(37))
report("clipboard_fuzz")
