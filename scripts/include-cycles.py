#!/usr/bin/env python3
"""Lists the include cycles among the project's sources and exits 1 if there is any.

A header and the source file of the same name in the same folder count as one unit, so that
A.cpp including B.h while B.cpp (or B.h) includes A.h is a cycle even though no header
includes itself. `#include "X.h"` is resolved by the file's name: a header of that name in the
includer's folder first, otherwise every header of that name in the project.
"""

import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SKIPPED_FOLDERS = {".git"}


def sources(root):
    for folder, subfolders, names in os.walk(root):
        subfolders[:] = sorted(
            d for d in subfolders if d not in SKIPPED_FOLDERS and not d.startswith("build")
        )
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                yield os.path.relpath(os.path.join(folder, name), root)


def unit(path):
    return os.path.splitext(path)[0]


def include_graph(root):
    paths = list(sources(root))
    headers = {}
    for path in paths:
        if path.endswith(".h"):
            headers.setdefault(os.path.basename(path), []).append(path)
    graph = {}
    for path in paths:
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as file:
            text = file.read()
        edges = graph.setdefault(unit(path), set())
        folder = os.path.dirname(path)
        for included in INCLUDE.findall(text):
            candidates = headers.get(os.path.basename(included), [])
            local = [c for c in candidates if os.path.dirname(c) == folder]
            for header in local or candidates:
                if unit(header) != unit(path):
                    edges.add(unit(header))
    return graph


def cycles(graph):
    """Every elementary cycle once, starting from its smallest unit."""
    found = []
    for start in sorted(graph):
        stack = [(start, iter(sorted(graph[start])))]
        path = [start]
        on_path = {start}
        while stack:
            node, successors = stack[-1]
            step = next(successors, None)
            if step is None:
                stack.pop()
                on_path.discard(path.pop())
            elif step == start:
                found.append(path + [start])
            elif step > start and step not in on_path and step in graph:
                stack.append((step, iter(sorted(graph[step]))))
                path.append(step)
                on_path.add(step)
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    found = cycles(include_graph(os.path.abspath(root)))
    for cycle in found:
        print(" -> ".join(cycle))
    if found:
        print(f"{len(found)} include cycle(s)", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
