#!/usr/bin/env python3
"""usage: stats_differential.py TABSIFT. The statistics of -c s,a,m,d,c,l,h,e,
percentiles and b in line, column and joined column mode, each cell type,
on random tables with absent cells, short lines, empty columns, some long
files and extremes (NaN, infinities, the largest values, values that
cancel), against exact fractions: sums, averages and percentiles exact,
rounded once (int: truncated, absent beyond 32 bits); medians, lowest and
highest exact; deviations and standard errors within 1e-12 (double) or two
float steps (float), int ones the exact root truncated; b against the
blocking reference (tests/blocking_reference.py). Then percentiles of
random columns against GNU datamash's perc:N, when datamash is installed.
"""

import decimal
import math
import os
import random
import shutil
import statistics
import struct
import subprocess
import sys
import tempfile
from fractions import Fraction

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from blocking_reference import ar1, blocked_error  # noqa: E402

INT_MIN, INT_MAX = -2**31, 2**31 - 1
DBL_MAX, FLT_MAX, INF, NAN = sys.float_info.max, 3.4028234663852886e38, math.inf, math.nan
EXTREMES = {"double": [NAN, INF, -INF, DBL_MAX, -DBL_MAX, 2.0**960, 1e16, -1e16, 1e-300, 0.0],
            "float": [NAN, INF, -INF, FLT_MAX, -FLT_MAX, 1e17, -1e17, 1e8, 1e-30, 0.0],
            "int": [INT_MIN, INT_MAX, INT_MAX - 1, 0]}
LETTERS = "s,a,m,d,c,l,h,e,p0,p2.5,p25,p50,p90,p99.9,p100,b".split(",")
decimal.getcontext().prec = 40


def f32(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def to_double(q):
    try:
        return float(q)
    except OverflowError:
        return INF if q > 0 else -INF


def cell_of(q, kind):
    """The Fraction q rounded once, to nearest with ties to even, to a double
    or float (whose smallest normal number is 2^-126), inf beyond its range."""
    if kind == "double":
        return to_double(q)  # Python rounds a Fraction once
    e = abs(q.numerator).bit_length() - q.denominator.bit_length()
    quantum = Fraction(2)**(max(e - (Fraction(2)**e > abs(q)), -126) - 23)
    r = round(q / quantum) * quantum
    return math.copysign(INF, r) if abs(r) >= 2**128 else float(r)


def make_value(rng, kind, offset, extremes):
    if extremes and rng.random() < 0.5:
        x = rng.choice(extremes)
    elif kind == "int":
        return max(INT_MIN, min(INT_MAX, rng.randint(-1000, 100000) + offset))
    else:
        x = rng.uniform(-100, 1000) * rng.choice([1, 1, 1e-3, 1e3]) + offset
    return f32(x) if kind == "float" else x


def make_files(rng, kind, join):
    """Files of lines of values or None (absent), some short; a column (offset
    None) may be empty; in one file in three each column has two extremes."""
    files, width = [], rng.randint(1, 6)
    big = {"int": 2 * 10**9, "float": 1e17, "double": 10**9}[kind]
    for _ in range(rng.randint(1, 3)):
        width = width if join else rng.randint(1, 6)
        offsets = [rng.choice([0, 0, 0, big, -big, None]) for _ in range(width)]
        wild, lines = rng.random() < 0.35, []
        extremes = [wild and rng.sample(EXTREMES[kind], 2) for _ in range(width)]
        for _ in range(rng.randint(1, 25) if rng.random() < 0.8 else rng.randint(100, 300)):
            size = width if rng.random() < 0.8 else rng.randint(1, width)
            lines.append([None if offsets[k] is None or rng.random() < 0.15
                          else make_value(rng, kind, offsets[k], extremes[k]) for k in range(size)])
        files.append(lines)
    return files


def exact_total(xs, kind):
    """The exact total, an int or a Fraction; with a NaN NaN, with infinities
    the infinity (NaN with both signs), whatever the finite values add to."""
    if kind == "int" or all(map(math.isfinite, xs)):
        return sum(xs) if kind == "int" else sum(map(Fraction, xs))
    infinities = {x for x in xs if math.isinf(x)}
    return NAN if any(map(math.isnan, xs)) or len(infinities) == 2 else infinities.pop()


def in_order(xs):
    """Ascending, NaN last and -0 before +0."""
    return sorted(xs, key=lambda v: (math.isnan(v), v, math.copysign(1, v)))


def middle(xs, kind):
    ordered, n = in_order(xs), len(xs)
    low, high = ordered[(n - 1) // 2], ordered[n // 2]
    if n % 2 or kind == "int":
        return high if n % 2 else int(Fraction(low + high, 2))  # toward zero
    cell = f32 if kind == "float" else float
    both = cell(low + high)
    if math.isinf(both) and math.isfinite(low) and math.isfinite(high):
        return cell(cell(low / 2) + cell(high / 2))
    return cell(both / 2)


def deviation(xs, kind, of_average):
    """The sample standard deviation, or the standard error of the average."""
    if not all(map(math.isfinite, xs)):
        return NAN
    variance = statistics.variance(map(Fraction, xs)) / (len(xs) if of_average else 1)
    if kind == "int":
        return math.isqrt(math.floor(variance))
    root = (decimal.Decimal(variance.numerator) / variance.denominator).sqrt()
    return f32(float(root)) if kind == "float" else float(root)


def percentile(xs, kind, percent):
    """x[i] + w (x[i + 1] - x[i]) for h = (n - 1) N / 100 = i + w, exactly;
    with infinities as (1 - w) x[i] + w x[i + 1] in IEEE arithmetic."""
    ordered = in_order(xs)
    h = (len(xs) - 1) * percent / 100
    i, w = math.floor(h), h - math.floor(h)
    a = ordered[i]
    if w == 0:
        return a
    b = ordered[i + 1]
    if kind == "int":
        return int(a * (1 - w) + b * w)  # toward zero
    if math.isnan(a) or math.isnan(b) or math.isinf(a) and math.isinf(b) and a != b:
        return NAN
    if a == b or math.isinf(a) or math.isinf(b):
        return a + b if a == b == 0 else a if math.isinf(a) or a == b else b
    return cell_of(Fraction(a) * (1 - w) + Fraction(b) * w, kind)


def statistic(letter, xs, kind, in_line):
    """The expected cell: (value or None for absent, relative tolerance)."""
    n = len(xs)
    if letter == "c":
        return (n if n or in_line else None), 0
    if n == 0:
        return (0 if letter == "s" and in_line else None), 0
    if letter in "de" and n == 1:
        return (None if kind == "int" else NAN), 0
    if letter == "b":
        found = blocked_error(xs)
        if found is None or kind == "int":
            return found and int(found[0]), 0
        return found[0], 1e-9 if kind == "double" else 2.4e-7
    if letter[0] == "p":
        value = percentile(xs, kind, Fraction(letter[1:]))
    elif letter in "sa":
        value = exact_total(xs, kind)
        if letter == "a":
            value = int(Fraction(value, n)) if kind == "int" else value / n
        if isinstance(value, Fraction):
            value = cell_of(value, kind)
    elif letter in "lh":
        value = NAN if any(map(math.isnan, xs)) else (min if letter == "l" else max)(xs)
    else:
        value = middle(xs, kind) if letter == "m" else deviation(xs, kind, letter == "e")
    if kind == "int":
        return (value if INT_MIN <= value <= INT_MAX else None), 0
    return value, {"double": 1e-12, "float": 2.4e-7}[kind] if letter in "de" else 0


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
    return (got == value or math.isnan(value) and math.isnan(got)
            or rel and math.isclose(got, value, rel_tol=rel, abs_tol=0.0))


def run_case(tabsift, workdir, files, kind, col, join):
    names = [os.path.join(workdir, "t%d.dat" % i) for i in range(len(files))]
    for name, lines in zip(names, files):
        with open(name, "w") as out:
            out.writelines(" ".join("--" if v is None else repr(v) for v in line) + "\n"
                           for line in lines)
    args = [tabsift, "-i", ",".join(names), "--comments", "off", "--prec", "17",
            "-c", ",".join(LETTERS)] + (["--" + kind] if kind != "double" else []) + \
        (["--col"] if col else []) + (["-j"] if join else [])
    proc = subprocess.run(args, capture_output=True, text=True)
    where = " ".join(args[1:])
    if proc.returncode != 0:
        return ["%s: exit status %d: %s" % (where, proc.returncode, proc.stderr)]
    got = [l.split() for l in proc.stdout.splitlines() if l.strip() and l[0] != "#"]
    want = model(files, LETTERS, kind, col, join)
    if len(got) != len(want):
        return ["%s: %d lines instead of %d" % (where, len(got), len(want))]
    return ["%s: line %d is %s, expected %s" % (where, n + 1, cells, [w[0] for w in line])
            for n, (cells, line) in enumerate(zip(got, want))
            if len(cells) != len(line) or not all(matches(c, w, kind) for c, w in zip(cells, line))]


DATAMASH_PERCENTS = [1, 10, 25, 50, 75, 90, 99, 100]


def datamash_case(tabsift, workdir, xs):
    """tabsift's pN and datamash's perc:N of one column of doubles: equal but
    for datamash's rounding, which takes the fraction of h = (n - 1) N / 100
    from h in double: a few units in the last place of the largest value,
    and n of them through the fraction."""
    name = os.path.join(workdir, "column.dat")
    with open(name, "w") as out:
        out.writelines(repr(x) + "\n" for x in xs)
    ours = subprocess.run([tabsift, "-i", name, "--comments", "off", "--prec", "17", "-r", "--col",
                           "-c", ",".join("p%d" % n for n in DATAMASH_PERCENTS)],
                          capture_output=True, text=True, check=True).stdout.split()
    with open(name) as column:
        theirs = subprocess.run(["datamash", "-W", "--format=%.20g"] +
                                [w for n in DATAMASH_PERCENTS for w in ("perc:%d" % n, "1")],
                                stdin=column, capture_output=True, text=True,
                                check=True).stdout.split()
    tolerance = (len(xs) + 4) * 2.0**-52 * max(map(abs, xs))
    return ["%d values: p%d is %s, datamash perc:%d gives %s" % (len(xs), n, a, n, b)
            for n, a, b in zip(DATAMASH_PERCENTS, ours, theirs)
            if len(ours) != len(theirs) or abs(float(a) - float(b)) > tolerance]


def datamash_percentiles(tabsift, workdir, rng):
    if shutil.which("datamash") is None:
        print("datamash is not installed: percentiles beside perc:N skipped")
        return []
    faults = []
    for _ in range(40):
        n = rng.choice([1, 2, 3, 4, 7, rng.randint(1, 500)])
        scale = rng.choice([1, 1e-300, 1e300, 1e6])
        faults += datamash_case(tabsift, workdir, [
            rng.choice([rng.uniform(-1, 1), rng.randint(-3, 3)]) * scale for _ in range(n)])
    return faults


# Columns where blocking picks level 4 (level 3 if the criterion lost its
# factor 2), level 1, level 5, none (level 7 with 8 blocks enough), none for
# too few values, and NaN for an infinity.
SERIES = [ar1(400, 0.0, 8), ar1(200, -0.9, 12), ar1(1000, 0.3, 3), ar1(2000, 0.9, 10),
          ar1(15, 0.0, 4), ar1(99, 0.0, 6) + [INF]]


def series_column(xs, kind):
    cast = {"double": float, "float": f32, "int": lambda x: int(round(1000 * x))}[kind]
    return [[[cast(x)] for x in xs]]


def main(argv):
    tabsift = os.path.abspath(argv[1])
    rng = random.Random(20240611)
    runs = [(kind, col, join) for kind in ("double", "float", "int")
            for col, join in ((False, False), (False, True), (True, False), (True, True))
            for _ in range(8)]
    with tempfile.TemporaryDirectory() as workdir:
        faults = [fault for kind, col, join in runs for fault in
                  run_case(tabsift, workdir, make_files(rng, kind, join), kind, col, join)]
        faults += [fault for xs in SERIES for kind in ("double", "float", "int")
                   if kind != "int" or all(map(math.isfinite, xs)) for fault in
                   run_case(tabsift, workdir, series_column(xs, kind), kind, True, False)]
        faults += datamash_percentiles(tabsift, workdir, rng)
    for fault in faults[:20]:
        print(fault)
    print("%d runs, %d faults" % (len(runs), len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
