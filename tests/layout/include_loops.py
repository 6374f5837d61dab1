#!/usr/bin/env python3
"""include_loops.py ROOT: fails, naming the includes, when a file of the
instrument (instrument/, lcd/, screens/) includes anything of host/, or when
the folders of host/ include each other in a loop (the files directly in
host/ are the folder "host")."""
import re
import sys
from pathlib import Path

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)


def includes(root):
    """(including file, included file) relative to root, for each quoted
    include of a project file: written from the root, or beside the file."""
    for top in ("host", "instrument", "lcd", "screens"):
        for path in sorted((root / top).rglob("*")):
            if path.suffix not in {".cpp", ".h"}:
                continue
            for name in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
                target = next((t for t in (root / name, path.parent / name) if t.is_file()), None)
                if target:
                    yield path.relative_to(root), target.resolve().relative_to(root.resolve())


def find_loop(graph):
    """A loop of folders (the first again at the end), or None."""
    done, path = set(), []

    def walk(node):
        path.append(node)
        for nxt in sorted(graph[node]):
            if nxt in path:
                return path[path.index(nxt):] + [nxt]
            if nxt not in done:
                loop = walk(nxt)
                if loop:
                    return loop
        done.add(path.pop())
        return None

    return next((loop for node in sorted(graph) if node not in done for loop in [walk(node)] if loop), None)


def main():
    root = Path(sys.argv[1])
    found, graph = [], {}
    for source, target in includes(root):
        if source.parts[0] != "host" and target.parts[0] == "host":
            found.append(f"{source} includes {target}: the instrument must not include host/")
        elif source.parts[0] == target.parts[0] == "host":
            a, b = source.parent.as_posix(), target.parent.as_posix()
            graph.setdefault(b, {})
            edges = graph.setdefault(a, {})
            if a != b:
                edges.setdefault(b, (source, target))
    loop = find_loop(graph)
    if loop:
        found.append("folders of host/ include each other in a loop: " + " -> ".join(loop))
        found += [f"  {a} -> {b}: {graph[a][b][0]} includes {graph[a][b][1]}" for a, b in zip(loop, loop[1:])]
    print("\n".join(found + [f"include graph of host/: {len(graph)} folders, "
                             f"{sum(map(len, graph.values()))} edges, {'problems above' if found else 'no loop'}"]))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
