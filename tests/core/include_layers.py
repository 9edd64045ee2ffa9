#!/usr/bin/env python3
"""Fails when a folder of src/core includes a folder above it, or when folders include each other.

Usage: include_layers.py SRC_CORE_DIR. Folders not in LAYERS (a new subject) are only checked for
cycles; give them a layer when they settle.
"""
import os
import re
import sys

# Lower layers never include higher ones; folders on one layer do not include each other.
LAYERS = [
    ["text", "seams"],
    ["numeric"],
    ["grid", "draw", "bond"],
    ["calculators", "data"],
    ["curves"],
    ["analytics"],
    ["lessons"],
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s*"core/([A-Za-z0-9_]+)/')


def include_edges(core):
    edges = {}
    for folder in sorted(os.listdir(core)):
        path = os.path.join(core, folder)
        if not os.path.isdir(path):
            continue
        targets = edges.setdefault(folder, {})
        for dirpath, _, files in os.walk(path):
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                file = os.path.join(dirpath, name)
                with open(file, encoding="utf-8", errors="replace") as text:
                    for number, line in enumerate(text, 1):
                        m = INCLUDE.match(line)
                        if m and m.group(1) != folder:
                            targets.setdefault(m.group(1), f"{os.path.relpath(file, core)}:{number}")
    return edges


def problems(edges):
    found = []
    for source, targets in edges.items():
        for target, where in targets.items():
            if source in RANK and target in RANK and RANK[target] >= RANK[source]:
                found.append(f"{where}: core/{source} includes core/{target}, which is not below it")
    # A cycle among any folders, known or new.
    state = {}

    def visit(folder, path):
        state[folder] = "open"
        for target in edges.get(folder, {}):
            if state.get(target) == "open":
                cycle = path[path.index(target):] + [target]
                found.append("include cycle: " + " -> ".join(cycle))
            elif target not in state:
                visit(target, path + [target])
        state[folder] = "done"

    for folder in edges:
        if folder not in state:
            visit(folder, [folder])
    return found


def main():
    if sys.argv[1:] == ["--self-test"]:
        # The checker itself: an upward include and a cycle must both be caught.
        bad = {"numeric": {"curves": "numeric/x.h:1"}, "curves": {"numeric": "curves/y.h:1"},
               "lessons": {"extra": "lessons/a.h:1"}, "extra": {"lessons": "extra/b.h:1"}}
        found = problems(bad)
        ok = any("core/numeric includes core/curves" in p for p in found) and \
            sum("include cycle" in p for p in found) >= 2 and not problems({"curves": {"numeric": "c:1"}})
        print("\n".join(found))
        return 0 if ok else 1
    found = problems(include_edges(sys.argv[1]))
    for p in found:
        print(p)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
