#!/usr/bin/env python3
"""Which folder of the source tree includes which, from the #include "..."
lines, and whether any of them go round in a circle.

    tools/deps/deps.py [ROOT]

Prints one line per folder with the folders it includes, then the same for
the units of game/ (a unit is a header and its .cpp). Exits 1 when the
folders, or the units of game/, include each other in a circle: the folders
are meant to stack, each using only those below it, and a frame's stages
never reach back into the frame that lists them.
"""

import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCES = ("*.h", "*.cpp")
# Folders whose files are built by the project (tests and tools stand above
# everything, so they are shown but can never close a circle).
FOLDERS = ("text", "game", "music", "sfx", "scores", "platform", "app", "tools", "tests")


def includes(path):
    return INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace"))


def graph_of_folders(root):
    graph = {}
    for folder in FOLDERS:
        base = root / folder
        if not base.is_dir():
            continue
        uses = graph.setdefault(folder, set())
        for pattern in SOURCES:
            for path in base.rglob(pattern):
                if "build" in path.relative_to(root).parts[:1]:
                    continue
                for name in includes(path):
                    top = name.split("/", 1)[0]
                    if "/" in name and top != folder and (root / top).is_dir():
                        uses.add(top)
    return graph


def graph_of_units(root, folder):
    graph = {}
    base = root / folder
    for pattern in SOURCES:
        for path in base.glob(pattern):
            unit = path.stem
            uses = graph.setdefault(unit, set())
            for name in includes(path):
                if name.startswith(folder + "/") and name.count("/") == 1:
                    other = pathlib.PurePosixPath(name).stem
                    if other != unit:
                        uses.add(other)
    return graph


def circle(graph):
    """One circle of the graph as a list of nodes, or None."""
    state = {}
    trail = []

    def visit(node):
        state[node] = "open"
        trail.append(node)
        for nxt in sorted(graph.get(node, ())):
            if state.get(nxt) == "open":
                return trail[trail.index(nxt):] + [nxt]
            if nxt not in state:
                found = visit(nxt)
                if found:
                    return found
        trail.pop()
        state[node] = "done"
        return None

    for node in sorted(graph):
        if node not in state:
            found = visit(node)
            if found:
                return found
    return None


def show(title, graph):
    print(title)
    width = max(len(n) for n in graph)
    for node in sorted(graph):
        print(f"  {node:<{width}} -> {' '.join(sorted(graph[node])) or '(nothing)'}")


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2])
    folders = graph_of_folders(root)
    units = graph_of_units(root, "game")
    show("folders:", folders)
    show("units of game/:", units)
    failed = False
    for what, graph in (("folders", folders), ("units of game/", units)):
        found = circle(graph)
        if found:
            print(f"circle among the {what}: {' -> '.join(found)}", file=sys.stderr)
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
