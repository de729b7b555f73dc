#!/usr/bin/env python3
"""Differential test of the statistics: on generated tables with absent
cells, the sums, averages, medians, sample standard deviations and counts
that tabsift appends, in line, column and joined column mode and for each
cell type, are checked against an independent computation with Python's
statistics module and exact fractions.

double: within 1e-12 relative (the median exactly).
float:  sums and averages exactly as a double total rounded once to float
        gives them, medians exactly as float arithmetic gives them,
        deviations within two float steps.
int:    every result exact; results beyond 32 bits absent.

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
BLANK = "--"


def f32(x):
    """x rounded to the nearest float (x must lie in the float range)."""
    return struct.unpack("f", struct.pack("f", x))[0]


def trunc_div(a, b):
    """Integer quotient truncated toward zero."""
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b > 0) else -q


# ---------------------------------------------------------------- tables

def make_value(rng, kind, offset):
    if kind == "int":
        return rng.randint(-1000, 100000) + offset
    x = rng.uniform(-100, 1000) * rng.choice([1, 1, 1e-3, 1e3]) + offset
    return f32(x) if kind == "float" else x


def make_tables(rng, kind, join):
    """A list of files, each a list of lines of values or None (absent).
    Lines of a file may be short (padded with absent cells when read)."""
    files = []
    width = rng.randint(1, 6)
    for _ in range(rng.randint(1, 3)):
        if not join:
            width = rng.randint(1, 6)
        offsets = [rng.choice([0, 0, 0, 10**9 if kind != "float" else 10**4])
                   for _ in range(width)]
        lines = []
        for _ in range(rng.randint(1, 25)):
            size = width if rng.random() < 0.8 else rng.randint(1, width)
            line = [None if rng.random() < 0.15 else make_value(rng, kind, offsets[k])
                    for k in range(size)]
            lines.append(line)
        files.append(lines)
    return files


def token(v):
    return BLANK if v is None else repr(v)


def padded(files, join):
    """The table as read: short lines padded with absent cells."""
    if join:
        width = max(len(l) for f in files for l in f)
        return [[l + [None] * (width - len(l)) for l in f] for f in files]
    out = []
    for f in files:
        width = max(len(l) for l in f)
        out.append([l + [None] * (width - len(l)) for l in f])
    return out


# ---------------------------------------------------------------- statistics

class Expected:
    """One expected cell: None (absent), or a value with how to compare it."""

    def __init__(self, value, rel=0.0):
        self.value, self.rel = value, rel


def expected(letter, values, kind, in_line):
    n = len(values)
    if letter == "c":
        if n == 0 and not in_line:
            return Expected(None)
        return Expected(n)
    if letter == "s":
        if n == 0:
            return Expected(None if not in_line else 0)
        if kind == "int":
            s = sum(values)
            return Expected(s if INT_MIN <= s <= INT_MAX else None)
        if kind == "float":
            # The total is kept in double, in scope order, and rounded to
            # float once at the end.
            s = 0.0
            for x in values:
                s += x
            return Expected(f32(s))
        return Expected(math.fsum(values), 1e-12)
    if n == 0:
        return Expected(None)
    if letter == "a":
        if kind == "int":
            return Expected(trunc_div(sum(values), n))
        if kind == "float":
            s = 0.0
            for x in values:
                s += x
            return Expected(f32(s / n))
        return Expected(statistics.fmean(values), 1e-12)
    if letter == "m":
        ordered = sorted(values)
        if n % 2:
            return Expected(ordered[n // 2])
        a, b = ordered[n // 2 - 1], ordered[n // 2]
        if kind == "int":
            return Expected(trunc_div(a + b, 2))
        if kind == "float":
            return Expected(f32(f32(a + b) / 2))
        return Expected(statistics.median(values))
    if letter == "d":
        if n == 1:
            return Expected(None if kind == "int" else math.nan)
        if kind == "int":
            variance = statistics.variance([Fraction(x) for x in values])
            root = math.isqrt(math.floor(variance))
            return Expected(root if root <= INT_MAX else None)
        if kind == "float":
            return Expected(f32(statistics.stdev(values)), 2.4e-7)
        return Expected(statistics.stdev(values), 1e-12)
    raise ValueError(letter)


def model(files, request, kind, col, join):
    """The lines tabsift should write, as lists of Expected, in order."""
    table = padded(files, join)
    letters = request.split(",")
    if not col:
        out = []
        for f in table:
            for line in f:
                values = [v for v in line if v is not None]
                out.append([Expected(v) for v in line] +
                           [expected(c, values, kind, True) for c in letters])
        return out
    scopes = [table] if join else [[f] for f in table]
    result_lines = []
    for scope in scopes:
        width = len(scope[0][0])
        result_lines.append([
            [expected(c, [l[k] for f in scope for l in f if l[k] is not None],
                      kind, False) for k in range(width)]
            for c in letters])
    out = []
    for i, f in enumerate(table):
        out.extend([[Expected(v) for v in line] for line in f])
        if not join:
            out.extend(result_lines[i])
        elif i == len(table) - 1:
            out.extend(result_lines[0])
    return out


# ---------------------------------------------------------------- comparison

def matches(cell, want, kind):
    if want.value is None:
        return cell == BLANK
    if cell == BLANK:
        return False
    got = int(cell) if kind == "int" else float(cell)
    if isinstance(want.value, float) and math.isnan(want.value):
        return math.isnan(got)
    if want.rel == 0.0:
        return got == want.value
    return math.isclose(got, want.value, rel_tol=want.rel, abs_tol=0.0)


def run_case(tabsift, workdir, files, request, kind, col, join):
    names = []
    for i, lines in enumerate(files):
        name = os.path.join(workdir, "t%d.dat" % i)
        with open(name, "w") as out:
            out.write("# generated\n")
            for line in lines:
                out.write(" ".join(token(v) for v in line) + "\n")
        names.append(name)
    args = [tabsift, "-i", ",".join(names), "--comments", "off", "--prec", "17",
            "-c", request]
    if kind != "double":
        args.append("--" + kind)
    if col:
        args.append("--col")
    if join:
        args.append("-j")
    proc = subprocess.run(args, capture_output=True, text=True)
    where = " ".join(args[1:])
    if proc.returncode != 0:
        return ["%s: exit status %d: %s" % (where, proc.returncode, proc.stderr)]
    got = [l.split() for l in proc.stdout.splitlines()
           if l.strip() and not l.startswith("#")]
    want = model(files, request, kind, col, join)
    if len(got) != len(want):
        return ["%s: %d lines instead of %d" % (where, len(got), len(want))]
    faults = []
    for number, (cells, line) in enumerate(zip(got, want)):
        if len(cells) != len(line) or not all(
                matches(c, w, kind) for c, w in zip(cells, line)):
            faults.append("%s: line %d is %s, expected %s" % (
                where, number + 1, cells,
                [BLANK if w.value is None else w.value for w in line]))
    return faults


def main(argv):
    tabsift = os.path.abspath(argv[1])
    rng = random.Random(20240611)
    faults, runs = [], 0
    with tempfile.TemporaryDirectory() as workdir:
        for kind in ("double", "float", "int"):
            for col, join in ((False, False), (True, False), (True, True)):
                for _ in range(6):
                    files = make_tables(rng, kind, join)
                    faults += run_case(tabsift, workdir, files, "s,a,m,d,c",
                                       kind, col, join)
                    runs += 1
    for fault in faults[:20]:
        print(fault)
    print("%d runs, %d faults" % (runs, len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
