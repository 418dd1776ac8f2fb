#!/usr/bin/env python3
"""Which folder of the source tree includes which, which unit includes which,
from the #include "..." lines, and whether any of them go round in a circle.

    tools/deps/deps.py [ROOT]

Prints one line per folder with the folders it includes, then, folder by
folder (subfolders too, platform/soft/ as well as platform/), one line per
unit with the units it includes. A unit is a header and the source of the
same name beside it; a unit of another folder is shown with its path.
Exits 1 when the folders, or any units, include each other in a circle: the
folders are meant to stack, each using only those below it, and inside a
folder each unit builds on others without their building on it (a frame's
stages never reach back into the frame that lists them).
"""

import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
SOURCES = ("*.h", "*.cpp")
# Folders whose files are built by the project (tests and tools stand above
# everything, so they are shown but can never close a circle of folders).
FOLDERS = ("text", "game", "music", "sfx", "scores", "platform", "app", "tools", "tests")


def includes(path):
    return INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace"))


def source_files(root):
    for folder in FOLDERS:
        base = root / folder
        if not base.is_dir():
            continue
        for pattern in SOURCES:
            yield from (p for p in base.rglob(pattern) if p.is_file())


def graph_of_folders(root):
    graph = {folder: set() for folder in FOLDERS if (root / folder).is_dir()}
    for path in source_files(root):
        folder = path.relative_to(root).parts[0]
        for name in includes(path):
            top = name.split("/", 1)[0]
            if "/" in name and top != folder and (root / top).is_dir():
                graph[folder].add(top)
    return graph


def unit_of(relative):
    """'platform/soft/bmp.cpp' -> 'platform/soft/bmp'."""
    return str(pathlib.PurePosixPath(relative).with_suffix(""))


def graph_of_units(root):
    """Every unit under the folders, named by its path without the suffix,
    with the units it includes (only those that are files of the tree)."""
    graph = {}
    for path in source_files(root):
        unit = unit_of(path.relative_to(root).as_posix())
        uses = graph.setdefault(unit, set())
        for name in includes(path):
            if (root / name).is_file() and name.split("/", 1)[0] in FOLDERS:
                other = unit_of(name)
                if other != unit:
                    uses.add(other)
    return graph


def circles(graph):
    """One circle (a list of nodes, the first repeated at the end) for each
    group of nodes that reach one another (Tarjan's components)."""
    index, low, on_stack, stack, groups = {}, {}, set(), [], []

    def connect(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for nxt in sorted(graph.get(node, ())):
            if nxt not in index:
                connect(nxt)
                low[node] = min(low[node], low[nxt])
            elif nxt in on_stack:
                low[node] = min(low[node], index[nxt])
        if low[node] == index[node]:
            group = set()
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.add(member)
                if member == node:
                    break
            if len(group) > 1:
                groups.append(group)

    sys.setrecursionlimit(max(1000, 4 * len(graph)))
    for node in sorted(graph):
        if node not in index:
            connect(node)
    return [walk_round(graph, group) for group in sorted(groups, key=min)]


def walk_round(graph, group):
    """A circle inside a group of nodes that all reach one another: the
    shortest way from its first node back to itself."""
    start = min(group)
    came_from = {start: None}
    queue = [start]
    while queue:
        node = queue.pop(0)
        for nxt in sorted(graph[node] & group):
            if nxt == start:
                trail = [node]
                while came_from[trail[-1]] is not None:
                    trail.append(came_from[trail[-1]])
                return list(reversed(trail)) + [start]
            if nxt not in came_from:
                came_from[nxt] = node
                queue.append(nxt)
    return [start]


def show_folders(graph):
    print("folders:")
    width = max(len(n) for n in graph)
    for node in sorted(graph):
        print(f"  {node:<{width}} -> {' '.join(sorted(graph[node])) or '(nothing)'}")


def show_units(graph):
    by_folder = {}
    for unit in graph:
        folder, _, name = unit.rpartition("/")
        by_folder.setdefault(folder, []).append(name)
    for folder in sorted(by_folder):
        print(f"units of {folder}/:")
        names = sorted(by_folder[folder])
        width = max(len(n) for n in names)
        for name in names:
            uses = sorted(graph[f"{folder}/{name}"])
            shown = [u.rpartition("/")[2] if u.rpartition("/")[0] == folder else u for u in uses]
            print(f"  {name:<{width}} -> {' '.join(shown) or '(nothing)'}")


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parents[2])
    folders = graph_of_folders(root)
    units = graph_of_units(root)
    show_folders(folders)
    show_units(units)
    failed = False
    for what, graph in (("folders", folders), ("units", units)):
        for found in circles(graph):
            print(f"circle among the {what}: {' -> '.join(found)}", file=sys.stderr)
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
