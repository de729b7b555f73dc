#!/usr/bin/env python3
"""Differential test of the statistics tabsift appends (-c s,a,m,d,c along
lines, down columns and down joined columns, for each cell type) on random
tables with absent cells and short lines, against Python's statistics module
and exact fractions: double within 1e-12 relative (medians exact); float
totals kept in double and rounded once, medians in float arithmetic,
deviations within two float steps; int exact, absent beyond 32 bits.

usage: stats_differential.py TABSIFT
"""

import math
import os
import random
import statistics
import struct
import subprocess
import sys
import tempfile
from fractions import Fraction

INT_MIN, INT_MAX = -2**31, 2**31 - 1


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def trunc_div(a, b):
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b > 0) else -q


def make_value(rng, kind, offset):
    if kind == "int":
        return rng.randint(-1000, 100000) + offset
    x = rng.uniform(-100, 1000) * rng.choice([1, 1, 1e-3, 1e3]) + offset
    return f32(x) if kind == "float" else x


def make_files(rng, kind, join):
    """Files of lines of values or None (absent); lines may be short."""
    files, width = [], rng.randint(1, 6)
    for _ in range(rng.randint(1, 3)):
        width = width if join else rng.randint(1, 6)
        big = 10**4 if kind == "float" else 10**9
        offsets = [rng.choice([0, 0, 0, big, -big]) for _ in range(width)]
        lines = []
        for _ in range(rng.randint(1, 25)):
            size = width if rng.random() < 0.8 else rng.randint(1, width)
            lines.append([None if rng.random() < 0.15 else make_value(rng, kind, offsets[k])
                          for k in range(size)])
        files.append(lines)
    return files


def statistic(letter, xs, kind, in_line):
    """The expected cell: (value or None for absent, relative tolerance)."""
    n = len(xs)
    if letter == "c":
        return (n if n or in_line else None), 0
    if n == 0:
        return (0 if letter == "s" and in_line else None), 0
    total, ordered = 0.0, sorted(xs)
    for x in xs:  # float totals are kept in double, in scope order
        total += x
    low, high = ordered[(n - 1) // 2], ordered[n // 2]
    if kind == "int":
        value = {"s": sum(xs), "a": trunc_div(sum(xs), n),
                 "m": high if n % 2 else trunc_div(low + high, 2),
                 "d": math.isqrt(math.floor(statistics.variance(map(Fraction, xs))))
                 if n > 1 else None}[letter]
        return (value if value is not None and INT_MIN <= value <= INT_MAX else None), 0
    if letter == "d":
        deviation = statistics.stdev(xs) if n > 1 else math.nan
        return (f32(deviation), 2.4e-7) if kind == "float" else (deviation, 1e-12)
    if kind == "float":
        middle = high if n % 2 else f32(f32(low + high) / 2)
        return {"s": f32(total), "a": f32(total / n), "m": middle}[letter], 0
    return {"s": (math.fsum(xs), 1e-12), "a": (statistics.fmean(xs), 1e-12),
            "m": (statistics.median(xs), 0)}[letter]


def model(files, letters, kind, col, join):
    """The data and result lines tabsift should write, in order."""
    widths = [max(len(l) for f in files for l in f)] * len(files) if join else \
        [max(len(l) for l in f) for f in files]
    table = [[l + [None] * (w - len(l)) for l in f] for f, w in zip(files, widths)]
    out = []
    for i, f in enumerate(table):
        for line in f:
            values = [v for v in line if v is not None]
            out.append([(v, 0) for v in line] +
                       ([] if col else [statistic(c, values, kind, True) for c in letters]))
        if col and (not join or i == len(table) - 1):
            scope = table if join else [f]
            out += [[statistic(c, [l[k] for g in scope for l in g if l[k] is not None],
                               kind, False) for k in range(widths[i])] for c in letters]
    return out


def matches(cell, want, kind):
    value, rel = want
    if value is None or cell == "--":
        return value is None and cell == "--"
    got = int(cell) if kind == "int" else float(cell)
    if isinstance(value, float) and math.isnan(value):
        return math.isnan(got)
    return got == value or (rel and math.isclose(got, value, rel_tol=rel, abs_tol=0.0))


def run_case(tabsift, workdir, files, kind, col, join):
    names = []
    for i, lines in enumerate(files):
        names.append(os.path.join(workdir, "t%d.dat" % i))
        with open(names[-1], "w") as out:
            out.write("# generated\n")
            out.writelines(" ".join("--" if v is None else repr(v) for v in line) + "\n"
                           for line in lines)
    args = [tabsift, "-i", ",".join(names), "--comments", "off", "--prec", "17",
            "-c", "s,a,m,d,c"] + (["--" + kind] if kind != "double" else []) + \
        (["--col"] if col else []) + (["-j"] if join else [])
    proc = subprocess.run(args, capture_output=True, text=True)
    where = " ".join(args[1:])
    if proc.returncode != 0:
        return ["%s: exit status %d: %s" % (where, proc.returncode, proc.stderr)]
    got = [l.split() for l in proc.stdout.splitlines() if l.strip() and l[0] != "#"]
    want = model(files, "s,a,m,d,c".split(","), kind, col, join)
    if len(got) != len(want):
        return ["%s: %d lines instead of %d" % (where, len(got), len(want))]
    return ["%s: line %d is %s, expected %s" % (where, n + 1, cells, [w[0] for w in line])
            for n, (cells, line) in enumerate(zip(got, want))
            if len(cells) != len(line) or not all(matches(c, w, kind) for c, w in zip(cells, line))]


def main(argv):
    tabsift = os.path.abspath(argv[1])
    rng = random.Random(20240611)
    faults, runs = [], 0
    with tempfile.TemporaryDirectory() as workdir:
        for kind in ("double", "float", "int"):
            for col, join in ((False, False), (True, False), (True, True)):
                for _ in range(6):
                    faults += run_case(tabsift, workdir, make_files(rng, kind, join),
                                       kind, col, join)
                    runs += 1
    for fault in faults[:20]:
        print(fault)
    print("%d runs, %d faults" % (runs, len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
