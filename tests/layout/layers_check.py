#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program's folders are layers: each file includes only files of its
own folder or of the folders below it, and no files include one another
in a loop. Usage: layers_check.py SOURCE_DIR"""
import os, re, sys

# From the bottom up; a folder may include its own and those before it.
LAYERS = [("music",), ("export",), ("desktop",), ("widgets",), ("accessibility", "dialogs"), ("app",)]
# The accessibility layer and the dialogs stand side by side: neither
# includes the other.
rank = {folder: i for i, layer in enumerate(LAYERS) for folder in layer}
root = sys.argv[1]
includes = {}
for folder in rank:
    for dirpath, _, names in os.walk(os.path.join(root, folder)):
        for name in names:
            if name.endswith((".h", ".cpp")):
                path = os.path.relpath(os.path.join(dirpath, name), root)
                text = open(os.path.join(root, path)).read()
                local = re.findall(r'^#include "([^"]+)"', text, re.M)
                includes[path] = [i if "/" in i else os.path.join(os.path.dirname(path), i) for i in local]

failures = []
for path, targets in sorted(includes.items()):
    here = path.split("/")[0]
    for target in targets:
        there = target.split("/")[0]
        if there not in rank:
            failures.append(f"{path} includes {target}, in no layer")
        elif rank[there] > rank[here] or (rank[there] == rank[here] and there != here):
            failures.append(f"{path} includes {target}, a layer above or beside it")


# Loops between file pairs (a header and its source are one unit): what is
# left once every pair that includes no pair still left is taken away.
pair = lambda path: os.path.splitext(path)[0]
graph = {}
for path, targets in includes.items():
    graph.setdefault(pair(path), set()).update(pair(t) for t in targets if pair(t) != pair(path))
while True:
    leaves = {node for node, targets in graph.items() if not targets & graph.keys()}
    if not leaves:
        break
    graph = {node: targets for node, targets in graph.items() if node not in leaves}
if graph:
    failures.append("include loop among " + ", ".join(sorted(graph)))
for failure in failures:
    print("FAIL: " + failure)
print(f"layers: {len(includes)} files, {len(failures)} failed")
sys.exit(1 if failures else 0)
