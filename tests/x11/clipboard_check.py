#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies through the real program's windows with real clicks, reads the
# clipboard back with xclip and checks the bytes, then ends the program
# with "Exit Program" and reads the clipboard again.
# Usage, inside an X server: clipboard_check.py PROGRAM [CLIPBOARD_MANAGER]
#   Without a clipboard manager, hostile and broken X clients meet the
#   clipboard's owner, first the program, then the helper that keeps the
#   copy after exit: random selection requests through the X server and
#   sent directly, well-formed and malformed (MULTIPLE lists of every
#   shape, changed while the owner reads them; foreign, missing and
#   destroyed requestors; forged SelectionClear). Each must stay up, keep
#   the clipboard, serve every flavour byte for byte and not grow. A fixed
#   seed makes every run the same.
#   With a clipboard manager running, ten further copies in a row, each of
#   another key, must each reach the clipboard. Without one, another
#   program's copy made after the program's must be what stays at exit.
#   CLIPBOARD_MANAGER "text-only" is one of the check's own that saves the
#   plain text alone when asked to save the clipboard, as many do: every
#   flavour must still be served after exit.
import os, random, re, subprocess, sys, threading, time

from Xlib import X, Xatom, display
from Xlib.protocol import event

from xdrive import *

COUNT = 20000
FLAVOURS = ["UTF8_STRING", "text/plain", "STRING", "TEXT", "text/html", "text/rtf", "text/richtext"]
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
        answer = x.next_event() if x.pending_events() else time.sleep(0.002)
        if answer and answer.type == X.SelectionNotify and answer.time == OURS:
            return answer.property
    return -1


def owner_pid():
    spec = {"client": x.get_selection_owner(CLIPBOARD).id, "mask": 2}  # X-Resource's LocalClientPIDMask
    return x.res_query_client_ids([spec]).ids[0].value[0]


def memory(pid):  # resident KiB, or None once gone
    found = re.search(r"VmRSS:\s+(\d+)", run("cat", f"/proc/{pid}/status"))
    return found and int(found.group(1))


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
    sanitized = "libasan" in run("ldd", sys.argv[1])  # whose quarantine holds what is freed
    check(f"{name} has not grown ({before} KiB, then {after})", after and (after - before < 1024 or sanitized))
    for target, data in flavours.items():
        check(f"{name} serves {target} as before", clipboard(target) == data)


def multiple(name, served):
    slots = [atom("UTF8_STRING"), SLOTS[0], atom("text/html"), SLOTS[1], atom("NO_SUCH_TARGET"), SLOTS[2]]
    answer = convert(MULTIPLE, slots)
    check(f"{name} {'serves' if served else 'refuses'} a well-formed MULTIPLE ({answer})",
          answer == (LIST if served else X.NONE))
    if served:
        got = [me.get_full_property(p, X.AnyPropertyType) for p in (SLOTS[0], SLOTS[1], LIST)]
        check("each target of it", [bytes(got[0].value), bytes(got[1].value), list(got[2].value)] ==
              [flavours["UTF8_STRING"], flavours["text/html"], slots[:5] + [X.NONE]])
    for pairs, fmt in (([atom("UTF8_STRING")], 32), (slots[:5], 32), ([], 32), (slots[:4], 16)):
        check(f"{name} refuses a MULTIPLE of {len(pairs)} items in format {fmt}", convert(MULTIPLE, pairs, fmt) == X.NONE)


def text_only_manager(saved):
    x = display.Display()
    me = x.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    me.set_selection_owner(x.intern_atom("CLIPBOARD_MANAGER"), X.CurrentTime)
    x.sync()

    def serve():
        while True:
            asked = x.next_event()
            if asked.type == X.SelectionRequest and asked.target == x.intern_atom("SAVE_TARGETS"):
                me.convert_selection(x.intern_atom("CLIPBOARD"), x.intern_atom("text/plain"), asked.property,
                                     X.CurrentTime)
                while x.next_event().type != X.SelectionNotify:
                    pass
                asked.requestor.send_event(event.SelectionNotify(time=asked.time, requestor=asked.requestor,
                                           selection=asked.selection, target=asked.target, property=asked.property))
                x.sync()
                saved.set()
    threading.Thread(target=serve, daemon=True).start()


os.environ["QT_LOGGING_RULES"] = "qt.qpa.*.warning=false"  # thousands, from the random requests
start_bus()
manager, saved = sys.argv[2] if len(sys.argv) > 2 else None, threading.Event()
if manager == "text-only":
    text_only_manager(saved)
elif manager:
    start_clipboard_manager(manager)
app, main = start_program(sys.argv[1])
copy_keys()
text = clipboard("text/plain")
check(f"137 lines, each ended by a carriage return alone ({len(text)} bytes)",
      text.count(b"\r") == 137 and b"\n" not in text and text.endswith(b"\r"))
if manager and manager != "text-only":
    for key in range(10):
        copy_keys([k for k in range(12) if k != 0] if key == 0 else [key - 1, key])
        blocks = clipboard("text/plain").split(b"\r")[5::11][:-1]
        check(f"copy {key + 1} of 10 reaches the clipboard: {NOTES[key]} alone ({blocks})",
              blocks == [f"{NOTES[key]} Major Scale, Standard Tuning.".encode()])
flavours = {target: clipboard(target) for target in FLAVOURS}
check("the RTF is offered as text/richtext too", flavours["text/rtf"] == flavours["text/richtext"])
if not manager:
    multiple("the program", True)
    fuzz("the program", app.pid, random.Random(36))
started = time.time()
end_program(app)
check(f"ends at once ({time.time() - started:.1f} s from the click)", time.time() - started < 2)
time.sleep(0.5)
if manager == "text-only":
    check("the clipboard manager was asked to save the clipboard, and saved its text", saved.wait(10))
for target, data in flavours.items():
    check(f"{target} is still on the clipboard after the program ended", DIAGRAMS_TITLE in data and
          clipboard(target) == data)

if not manager:
    # The helper's process, as this display's X server knows the client that
    # owns the clipboard: a search of all processes would find other
    # sessions' helpers too.
    helper = wait_for(owner_pid)
    if check("the helper keeps the clipboard after exit", helper):
        multiple("the helper", False)
        fuzz("the helper", helper, random.Random(37))
    # Another program copies after FretSight's: that copy is the one kept,
    # and no helper of FretSight's is left holding anything.
    app, main = start_program(sys.argv[1])
    copy_keys()
    other = stop_at_exit(subprocess.Popen(["xclip", "-selection", "clipboard", "-quiet"], stdin=subprocess.PIPE))
    other.stdin.write(b"copied elsewhere")
    other.stdin.close()
    wait_for(lambda: clipboard("text/plain") == b"copied elsewhere", 5)
    end_program(app)
    time.sleep(0.5)
    check("another program's later copy is what the clipboard holds after exit",
          clipboard("text/plain") == b"copied elsewhere")
    # Its window, on this display: a process search would see other sessions'.
    check("no clipboard helper is left running",
          wait_for(lambda: not run("xdotool", "search", "--name", "^fretsight-clipboard$").split(), 3))
report("clipboard")
