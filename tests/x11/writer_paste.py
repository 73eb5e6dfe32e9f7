#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies the diagrams through FretSight's own windows, pastes them with
# Ctrl+V into LibreOffice Writer, saves the document and reads the saved
# paragraphs back through UNO: they must be the copied lines, in order, the
# diagram lines in a fixed-pitch font, every line of a key's block but the
# last kept with the next. Printed to PDF on A4 and on Letter, no block may
# span two pages.
#
# Usage, inside an X server and a D-Bus session:
#   writer_paste.py PROGRAM [VCL] [--after-exit] [--manager COMMAND]
#   VCL is Writer's interface, gtk3 (default) or gen (plain X11).
#   --after-exit ends FretSight before the paste, so the paste comes from
#   what is left on the clipboard; --manager runs a clipboard manager.
#   FRETSIGHT_SHOTS=DIR keeps a screenshot and the PDFs.
import argparse, os, time

import uno
from com.sun.star.beans import PropertyValue

from xdrive import *

parser = argparse.ArgumentParser()
parser.add_argument("program")
parser.add_argument("vcl", nargs="?", default="gtk3")
parser.add_argument("--after-exit", action="store_true")
parser.add_argument("--manager")
args = parser.parse_args()
work = scratch("fretsight-writer-")
shots = os.environ.get("FRETSIGHT_SHOTS")
name = f"{args.vcl}{'-after-exit' if args.after_exit else ''}{'-' + args.manager if args.manager else ''}"


def props(**values):
    return tuple(PropertyValue(Name=k, Value=v) for k, v in values.items())


start_bus()
start_wm(["openbox"])
if args.manager:
    start_clipboard_manager(args.manager)
app, main = start_program(args.program)
copy_keys()
expected = clipboard("text/plain").decode("ascii").split("\r")[:-1]
check("the plain text has 137 lines", len(expected) == 137)
if args.after_exit:
    end_program(app)

pipe = f"pipe,name=fretsight_paste_{os.getpid()};urp;"
office = spawn(["soffice", "--writer", "--norestore", "--nologo", "--nolockcheck",
                f"-env:UserInstallation=file://{work}/profile", f"--accept={pipe}"],
               env=dict(os.environ, SAL_USE_VCLPLUGIN=args.vcl))
local = uno.getComponentContext()
resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
context = wait_for(lambda: resolver.resolve(f"uno:{pipe}StarOffice.ComponentContext"), 120)
desktop = context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
document = wait_for(lambda: desktop.getCurrentComponent(), 60)
writer = wait_for(lambda: run("xdotool", "search", "--onlyvisible", "--name", "LibreOffice Writer").split()[0], 60)
check(f"Writer ({args.vcl}) shows a new document", document and writer)
time.sleep(2)
run("wmctrl", "-i", "-a", writer)
time.sleep(1)
run("xdotool", "key", "--clearmodifiers", "ctrl+v")
wait_for(lambda: len(document.Text.String) > 1000, 20)
time.sleep(1)
if shots:
    run("import", "-window", "root", os.path.join(shots, f"writer-{name}.png"))

saved = uno.systemPathToFileUrl(os.path.join(work, "pasted.odt"))
document.storeToURL(saved, props(FilterName="writer8"))
reloaded = desktop.loadComponentFromURL(saved, "_blank", 0, props(Hidden=True))


def elements(container):
    found = container.createEnumeration()
    while found.hasMoreElements():
        yield found.nextElement()


# Each paragraph's text, the fonts its text is in with their pitches (read
# from its text portions, since Writer may keep a pasted font on the text
# rather than on the paragraph), and whether it is kept with the next.
paragraphs = [(p.String, {(t.CharFontName.split(";")[0], t.CharFontPitch) for t in elements(p) if t.String},
               p.ParaKeepTogether) for p in elements(reloaded.Text) if p.supportsService("com.sun.star.text.Paragraph")]
while paragraphs and paragraphs[-1][0] == "" and len(paragraphs) > len(expected):
    paragraphs.pop()  # Writer keeps one empty paragraph after the pasted text
texts = [p[0] for p in paragraphs]
first = next((i for i, (a, b) in enumerate(zip(texts + [None] * 200, expected)) if a != b), None)
check(f"the saved document has the {len(expected)} lines in order, one paragraph each "
      f"(got {len(texts)}{'' if first is None else f'; line {first + 1} differs'})", texts == expected)
fixed = {"Liberation Mono", "Courier New", "DejaVu Sans Mono", "Courier"}
diagram = [p for p in paragraphs if "|" in p[0] or p[0].startswith("Fret ")]
check("every diagram line is in a fixed-pitch font (%s)" % sorted(set().union(*(p[1] for p in diagram))),
      diagram and all(font in fixed or pitch == 1 for p in diagram for font, pitch in p[1]))
blocks = [paragraphs[i:i + 11] for i in range(5, len(paragraphs), 11)]  # from line 6, eleven lines each
check("every line of a block but its last is kept with the next",
      len(blocks) == 12 and all(all(p[2] for p in b[:-1]) for b in blocks))

# Printed: each page holds whole blocks, its titles and fret-number lines
# alternating, a title first and a fret-number line last.
page_style = reloaded.StyleFamilies.getByName("PageStyles").getByName(next(elements(reloaded.Text)).PageStyleName)
for paper, (width, height) in (("A4", (21000, 29700)), ("Letter", (21590, 27940))):
    page_style.Width, page_style.Height = width, height
    pdf = os.path.join(shots or work, f"writer-{name}-{paper}.pdf")
    reloaded.storeToURL(uno.systemPathToFileUrl(pdf), props(FilterName="writer_pdf_Export"))
    pages = run("pdftotext", "-layout", pdf, "-").split("\f")
    marks = ["".join("T" if line.strip().endswith(" Tuning.") else "F" if line.strip().startswith("Fret ") else ""
                     for line in page.splitlines()) for page in pages]
    split = [n for n, m in enumerate(marks, 1) if m.replace("TF", "")]
    check(f"{paper}: twelve blocks on {len([p for p in pages if p.strip()])} pages, none split (pages {split})",
          sum(m.count("T") for m in marks) == 12 and not split)

reloaded.close(True)
document.setModified(False)
wait_for(desktop.terminate, 1)
office.wait(30)
if not args.after_exit:
    end_program(app)
report(f"writer ({name})")
