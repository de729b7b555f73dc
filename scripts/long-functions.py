#!/usr/bin/env python3
"""Lists the functions of the product longer than a limit, counted from the
first line of the signature to the closing brace, blank and comment lines
included; exit status 1 when there is one.

usage: scripts/long-functions.py [LIMIT [FILE ...]]

LIMIT is 45 by default; the files default to the sources of the product
(the unit tests left out). A lambda counts with the function around it. The
reading is a heuristic over braces, not a parser: a function whose head
holds an "=" before its "(" (operator=) is not seen."""

import os
import re
import subprocess
import sys

PRODUCT = ["driver", "base", "input", "number", "table", "ops", "stats", "output"]


def blanked(text):
    """The text with comments and string and character literals blanked,
    newlines kept, so that braces and lines can be counted."""
    out, i, n = [], 0, len(text)
    while i < n:
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i) + 2
        elif text.startswith('R"', i):
            close = ")" + re.match(r'R"([^(]*)\(', text[i:]).group(1) + '"'
            j = text.find(close, i) + len(close)
        elif text[i] == '"' or (text[i] == "'" and not (i and text[i - 1].isalnum())):
            j = i + 1
            while text[j] != text[i]:
                j += 2 if text[j] == "\\" else 1
            j += 1
        else:
            out.append(text[i])
            i += 1
            continue
        out.append(re.sub(r"[^\n]", " ", text[i:j]))
        i = j
    return "".join(out)


def long_functions(path, limit):
    text = blanked(open(path, encoding="utf-8").read())
    line_of = lambda offset: text.count("\n", 0, offset) + 1
    open_blocks, head = [], 0  # (is a function, first line); start of the head
    for i, c in enumerate(text):
        if c == "{":
            words = text[head:i]
            in_function = any(f for f, _ in open_blocks)
            function = (not in_function and ")" in words and "=" not in words.split("(")[0]
                        and not re.match(r"\s*(namespace|class|struct|enum|union|extern)\b",
                                         words))
            first = line_of(head + len(words) - len(words.lstrip()))
            open_blocks.append((function, first))
            head = i + 1
        elif c == "}":
            function, first = open_blocks.pop() if open_blocks else (False, 0)
            if function and line_of(i) - first + 1 > limit:
                yield first, line_of(i) - first + 1
            head = i + 1
        elif c == ";":
            head = i + 1
        elif c == "#" and (i == 0 or text[i - 1] == "\n"):
            end = text.find("\n", i)
            head = i + 1 if end < 0 else end + 1


def main(argv):
    limit = int(argv[1]) if len(argv) > 1 else 45
    files = argv[2:]
    if not files:
        root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        listed = subprocess.run(["git", "-C", root, "ls-files", *PRODUCT],
                                capture_output=True, text=True, check=True).stdout.split()
        files = [os.path.join(root, f) for f in listed
                 if f.endswith((".cc", ".h")) and not f.endswith("_test.cc")]
    found = 0
    for path in files:
        for first, lines in long_functions(path, limit):
            print(f"{path}:{first}: {lines} lines")
            found += 1
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
