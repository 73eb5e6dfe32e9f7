#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Copies the diagrams through FretSight's own windows, pastes them with
Ctrl+V into LibreOffice Writer, saves the document and reads the saved
paragraphs back through UNO: they must be the copied lines, in order, the
diagram lines in a fixed-pitch font.

Usage, inside an X server and a D-Bus session: writer_paste.py PROGRAM [VCL]
  VCL is Writer's interface, gtk3 (default) or gen (plain X11).
  FRETSIGHT_SHOTS=DIR keeps a screenshot and a PDF of the pasted document."""
import os, subprocess, sys, tempfile, time

import uno
from com.sun.star.beans import PropertyValue

from xdrive import *

program = sys.argv[1]
vcl = sys.argv[2] if len(sys.argv) > 2 else "gtk3"
work = tempfile.mkdtemp()
shots = os.environ.get("FRETSIGHT_SHOTS")


def props(**values):
    return tuple(PropertyValue(Name=k, Value=v) for k, v in values.items())


wm = start_wm(["openbox"])
app = subprocess.Popen([program])
main = wait_for(lambda: window("FretSight"))
time.sleep(1)
click(main, *COPY)
dialog = wait_for(lambda: window("Copy Scales to Clipboard"))
time.sleep(0.5)
click(dialog, *COPY_TO_CLIPBOARD)
time.sleep(1)
targets = run("xclip", "-selection", "clipboard", "-o", "-t", "TARGETS").split()
check("the clipboard offers text/plain and text/html", "text/plain" in targets and "text/html" in targets)
plain = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", "text/plain"], capture_output=True).stdout
expected = plain.decode("ascii").split("\r")[:-1]
check("the plain text has 137 lines", len(expected) == 137)

office = subprocess.Popen(
    ["soffice", "--writer", "--norestore", "--nologo", "--nolockcheck",
     f"-env:UserInstallation=file://{work}/profile", "--accept=pipe,name=fretsight_paste;urp;"],
    env=dict(os.environ, SAL_USE_VCLPLUGIN=vcl), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
local = uno.getComponentContext()
resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
context = wait_for(lambda: resolver.resolve("uno:pipe,name=fretsight_paste;urp;StarOffice.ComponentContext"), 120)
desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
document = wait_for(lambda: desktop.getCurrentComponent(), 60)
writer = wait_for(lambda: run("xdotool", "search", "--onlyvisible", "--name", "LibreOffice Writer").split()[0], 60)
check(f"Writer ({vcl}) shows a new document", document and writer)
time.sleep(2)
run("wmctrl", "-i", "-a", writer)
time.sleep(1)
run("xdotool", "key", "--clearmodifiers", "ctrl+v")
wait_for(lambda: len(document.Text.String) > 1000, 20)
time.sleep(1)
if shots:
    run("import", "-window", "root", os.path.join(shots, f"writer-{vcl}.png"))
    document.storeToURL(uno.systemPathToFileUrl(os.path.join(shots, f"writer-{vcl}.pdf")),
                        props(FilterName="writer_pdf_Export"))

saved = os.path.join(work, "pasted.odt")
document.storeToURL(uno.systemPathToFileUrl(saved), props(FilterName="writer8"))
reloaded = desktop.loadComponentFromURL(uno.systemPathToFileUrl(saved), "_blank", 0, props(Hidden=True))
paragraphs = []
enumeration = reloaded.Text.createEnumeration()
while enumeration.hasMoreElements():
    p = enumeration.nextElement()
    if p.supportsService("com.sun.star.text.Paragraph"):
        paragraphs.append((p.String, p.CharFontName, p.CharFontPitch))
# Writer keeps one empty paragraph after the pasted text.
while paragraphs and paragraphs[-1][0] == "" and len(paragraphs) > len(expected):
    paragraphs.pop()
texts = [t for t, _, _ in paragraphs]
check(f"the saved document has the {len(expected)} lines in order, one paragraph each (got {len(texts)})",
      texts == expected)
if texts != expected:
    for i, (got, want) in enumerate(zip(texts + [""] * 200, expected)):
        if got != want:
            print(f"  first difference at line {i + 1}: {got[:70]!r} != {want[:70]!r}")
            break
fixed = {"Liberation Mono", "Courier New", "DejaVu Sans Mono", "Courier"}
diagram = [(t, f, pitch) for t, f, pitch in paragraphs if "|" in t or t.startswith("Fret ")]
check("every diagram line is in a fixed-pitch font (%s)" % sorted({f for _, f, _ in diagram}),
      diagram and all(f.split(";")[0] in fixed or pitch == 1 for _, f, pitch in diagram))

reloaded.close(True)
document.setModified(False)
wait_for(desktop.terminate, 1)
office.wait(30)
click(main, *EXIT)
check("FretSight exits with status 0", app.wait(10) == 0)
wm.terminate()
print(f"writer ({vcl}): {len(failures)} failed")
sys.exit(1 if failures else 0)
