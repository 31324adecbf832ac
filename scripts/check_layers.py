#!/usr/bin/env python3
"""Fails when a source file includes a header of a layer it may not use.

The layers and what each may include come from cmake/layers.txt, the one table
that also builds each layer target's include path. Folders that are not layers
(tests, benchmarks, fuzz targets) may include anything.
Usage: check_layers.py [source root]
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def read_table(root):
    layers = {}
    for line in (root / "cmake" / "layers.txt").read_text().splitlines():
        fields = line.split()
        if fields and not line.startswith("#"):
            layers[fields[0]] = set(fields[1:])
    return layers


def layer_of(path, layers):
    """The deepest layer folder that holds path, or None."""
    best = None
    for name in layers:
        if path == name or path.startswith(name + "/"):
            if best is None or len(name) > len(best):
                best = name
    return best


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    layers = read_table(root)
    problems = []
    sources = set()
    for name in layers:
        sources.update((root / name).rglob("*.[hc]*"))
    for source in sorted(sources):
        if source.suffix not in (".h", ".cpp") or not source.is_file():
            continue
        relative = source.relative_to(root).as_posix()
        own = layer_of(relative, layers)
        if own is None:
            continue
        text = source.read_text(encoding="utf-8", errors="replace")
        for match in INCLUDE.finditer(text):
            header = match.group(1)
            if "/" not in header:
                continue  # beside the including file
            target = layer_of(header, layers)
            if target is None or target == own or target in layers[own]:
                continue
            line = text.count("\n", 0, match.start()) + 1
            problems.append(f"{relative}:{line}: {own}/ may not include {header} ({target}/)")
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} include(s) against the layers of cmake/layers.txt")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
