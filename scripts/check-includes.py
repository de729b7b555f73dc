#!/usr/bin/env python3
"""Checks that every include of a project header points down the folder
order, or stays within its own folder; exit status 1 on an upward or
sideways include, each one listed.

usage: scripts/check-includes.py [ROOT]

The order, from the bottom: base/; input/ and number/ (side by side);
table/; ops/, stats/ and output/ (side by side); driver/. A folder may
include its own headers and those of any folder below it; unit tests
follow the rule of the folder they sit in. fuzz/ and tests/ stand above
everything."""

import os
import re
import sys

LEVEL = {
    "base": 0,
    "input": 1,
    "number": 1,
    "table": 2,
    "ops": 3,
    "stats": 3,
    "output": 3,
    "driver": 4,
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/[^"]+"')


def offences(root):
    """(file, line number, included folder) for every include that points
    up or sideways."""
    found = []
    for folder in sorted(LEVEL):
        path = os.path.join(root, folder)
        for name in sorted(os.listdir(path)):
            if not name.endswith((".h", ".cc")):
                continue
            with open(os.path.join(path, name), encoding="utf-8") as f:
                for number, line in enumerate(f, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    target = match.group(1)
                    if target == folder:
                        continue
                    if target not in LEVEL or LEVEL[target] >= LEVEL[folder]:
                        found.append((f"{folder}/{name}", number, target))
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..")
    found = offences(root)
    for file, number, target in found:
        print(f"{file}:{number}: includes from {target}/, which is not below "
              f"{file.split('/')[0]}/")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
