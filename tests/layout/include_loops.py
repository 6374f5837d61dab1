#!/usr/bin/env python3
"""include_loops.py ROOT: checks how the source folders include each other.

Reads every #include "..." of the C++ files under host/, instrument/, lcd/
and screens/ and fails, naming the files, when
  - a file of the instrument (instrument/, lcd/, screens/) includes anything
    of host/: the instrument never knows its window;
  - the folders of host/ include each other in a loop: each folder is a node
    (the files directly in host/ are the node "host"), each include of a file
    in another folder an edge, and a loop is printed with one include that
    makes each of its edges.
"""
import re
import sys
from pathlib import Path

SOURCE_ROOTS = ("host", "instrument", "lcd", "screens")
INSTRUMENT_ROOTS = ("instrument", "lcd", "screens")
SUFFIXES = {".c", ".cc", ".cpp", ".h", ".hpp"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def includes(root):
    """(including file, included file), both relative to root, for every
    quoted include that names a file of the project."""
    for top in SOURCE_ROOTS:
        for path in sorted((root / top).rglob("*")):
            if path.suffix not in SUFFIXES or not path.is_file():
                continue
            source = path.relative_to(root)
            for name in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                # Project paths are written from the root; a bare name is
                # beside the file that includes it.
                for target in (root / name, path.parent / name):
                    if target.is_file():
                        yield source, target.resolve().relative_to(root.resolve())
                        break


def folder_graph(pairs):
    """{folder: {included folder: (file, included file)}} for the folders of
    host/, self-includes left out."""
    graph = {}
    for source, target in pairs:
        if source.parts[0] != "host" or target.parts[0] != "host":
            continue
        a, b = source.parent.as_posix(), target.parent.as_posix()
        graph.setdefault(a, {})
        graph.setdefault(b, {})
        if a != b:
            graph[a].setdefault(b, (source, target))
    return graph


def find_loop(graph):
    """One loop of the graph as a list of folders (the first again at the
    end), or None."""
    state = {}  # 1 while on the path being walked, 2 when done
    path = []

    def walk(node):
        state[node] = 1
        path.append(node)
        for nxt in sorted(graph[node]):
            if state.get(nxt) == 1:
                return path[path.index(nxt):] + [nxt]
            if nxt not in state:
                loop = walk(nxt)
                if loop:
                    return loop
        path.pop()
        state[node] = 2
        return None

    for node in sorted(graph):
        if node not in state:
            loop = walk(node)
            if loop:
                return loop
    return None


def problems(root):
    pairs = list(includes(root))
    found = []
    for source, target in pairs:
        if source.parts[0] in INSTRUMENT_ROOTS and target.parts[0] == "host":
            found.append(f"{source} includes {target}: the instrument must not include host/")
    graph = folder_graph(pairs)
    loop = find_loop(graph)
    if loop:
        found.append("folders of host/ include each other in a loop: " + " -> ".join(loop))
        for a, b in zip(loop, loop[1:]):
            source, target = graph[a][b]
            found.append(f"  {a} -> {b}: {source} includes {target}")
    return found, graph


def main():
    if len(sys.argv) != 2:
        print(__doc__.strip().splitlines()[0], file=sys.stderr)
        return 2
    root = Path(sys.argv[1])
    found, graph = problems(root)
    for line in found:
        print(line)
    edges = sum(len(targets) for targets in graph.values())
    print(f"include graph of host/: {len(graph)} folders, {edges} edges, "
          f"{'problems above' if found else 'no loop'}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
