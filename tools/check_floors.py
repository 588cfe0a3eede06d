#!/usr/bin/env python3
"""Checks that every include of the core points down its floors.

The floors and what each stands on are read from the tarvo_floor() lines of
core/CMakeLists.txt. A file of floor F may include files of F and of every
floor F stands on, directly or through others. Prints the floors and the
include edges between them with their counts; exits 1 on an include that
points up or sideways, naming the file and the line.
"""
import argparse
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "core")
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
FLOOR_LINE = re.compile(r"^tarvo_floor\((\w+)(?:\s+ON\s+([\w\s]+))?\)", re.M)
# core.h stands alone at the root; it is the floor "core".
ROOT_HEADER_FLOOR = "core"


def read_floors():
    with open(os.path.join(ROOT, "CMakeLists.txt"), encoding="utf-8") as cmake:
        text = cmake.read()
    floors = {}
    for name, below in FLOOR_LINE.findall(text):
        floors[name] = below.split() if below else []
    return floors


def reachable(floors):
    """Each floor with every floor below it, itself included."""
    closure = {}

    def walk(name):
        if name not in closure:
            closure[name] = {name}
            for below in floors[name]:
                closure[name] |= walk(below)
        return closure[name]

    for name in floors:
        walk(name)
    return closure


def floor_of(path):
    rel = os.path.relpath(path, ROOT)
    return rel.split(os.sep)[0] if os.sep in rel else ROOT_HEADER_FLOOR


def resolve(including_file, name):
    beside = os.path.normpath(os.path.join(os.path.dirname(including_file), name))
    if os.path.exists(beside):
        return beside
    from_root = os.path.normpath(os.path.join(ROOT, name))
    return from_root if os.path.exists(from_root) else None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quiet", action="store_true", help="print only the wrong-way includes")
    args = parser.parse_args()

    floors = read_floors()
    allowed = reachable(floors)
    edges = {}
    wrong = []
    for folder, _, names in os.walk(ROOT):
        for name in sorted(names):
            if not name.endswith((".h", ".cpp", ".h.in")):
                continue
            path = os.path.join(folder, name)
            source = floor_of(path)
            if source not in floors:
                wrong.append(f"{os.path.relpath(path, ROOT)}: folder is no floor of core/CMakeLists.txt")
                continue
            with open(path, encoding="utf-8", errors="replace") as text:
                for number, line in enumerate(text, 1):
                    match = INCLUDE.match(line)
                    target = match and resolve(path, match.group(1))
                    if not target:
                        continue
                    destination = floor_of(target)
                    if destination == source:
                        continue
                    edges[(source, destination)] = edges.get((source, destination), 0) + 1
                    if destination not in allowed[source]:
                        wrong.append(f"core/{os.path.relpath(path, ROOT)}:{number}: floor {source} "
                                     f"includes {match.group(1)} of floor {destination}, which it does not stand on")

    if not args.quiet:
        print("Floors, lowest first, and what each stands on:")
        for name, below in floors.items():
            print(f"  {name:12} on {', '.join(below) if below else '-'}")
        print("Include edges between floors:")
        for (source, destination), count in sorted(edges.items()):
            print(f"  {source:12} -> {destination:12} {count}")
    for message in wrong:
        print(message, file=sys.stderr)
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
