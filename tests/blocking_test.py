#!/usr/bin/env python3
"""usage: blocking_test.py TABSIFT. The blocked standard error (-c b) against
tests/blocking_reference.py on generated series, in line, column and joined
column mode and for each cell type (int cells hold the series times 1000),
and what the method promises: on independent samples b is e within the
statistical error of the chosen level, 1 / sqrt(2 (blocks - 1)) relative, at
three times that; on an AR(1) series with phi = 0.9 it is
e * sqrt((1 + phi) / (1 - phi)) within the same; on equal values 0; on a
scope too short to block an absent cell and one message."""

import math
import os
import random
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from blocking_reference import blocked_error  # noqa: E402

SHORT = "tabsift: blocked standard error: too few values to block; written as absent\n"
NOTICE = {"double": "", "float": "Using Float as data type\n",
          "int": "Using Integers as data type\n"}


def ar1(n, phi, seed):
    rng, x, xs = random.Random(seed), 0.0, []
    for _ in range(n):
        x = phi * x + rng.gauss(0, 1)
        xs.append(x)
    return xs


def as_kind(xs, kind):
    if kind == "int":
        return [int(round(1000 * x)) for x in xs]
    if kind == "float":
        return [struct.unpack("f", struct.pack("f", x))[0] for x in xs]
    return xs


SERIES = {
    "AR(1), phi 0.9": ar1(2 ** 16, 0.9, 1),
    "independent": ar1(2 ** 16, 0.0, 2),
    "AR(1), phi 0.3, 1000 values": ar1(1000, 0.3, 3),
    "independent, 400 values": ar1(400, 0.0, 8),
    "AR(1), phi -0.9, 200 values": ar1(200, -0.9, 12),
    "equal values": [7.25] * 4096,
    "15 values": ar1(15, 0.0, 4),
    "AR(1), phi 0.9, 2000 values": ar1(2000, 0.9, 10),
    "an infinity": ar1(99, 0.0, 6) + [math.inf],
}


def run(tabsift, workdir, xs, kind, mode, letters="b"):
    """tabsift's cells for the series in one line, one column or one column
    over three files (joined), and its standard error output."""
    parts = [xs[:len(xs) // 3], xs[len(xs) // 3:]] if mode == "joined" else [xs]
    names = []
    for i, part in enumerate(parts):
        names.append(os.path.join(workdir, "s%d.dat" % i))
        with open(names[-1], "w") as out:
            sep = " " if mode == "line" else "\n"
            out.write(sep.join(repr(x) if kind != "int" else str(x) for x in part) + "\n")
    args = [tabsift, "-i", ",".join(names), "--comments", "off", "--prec", "17",
            "-r", "-c", letters] + (["--" + kind] if kind != "double" else []) + \
        ([] if mode == "line" else ["--col"]) + (["-j"] if mode == "joined" else [])
    proc = subprocess.run(args, capture_output=True, text=True, check=True)
    return proc.stdout.split(), proc.stderr


def check_reference(tabsift, workdir):
    faults = []
    for name, series in SERIES.items():
        for kind in ("double", "float", "int"):
            if kind == "int" and not all(map(math.isfinite, series)):
                continue
            xs = as_kind(series, kind)
            want = blocked_error(xs)
            for mode in ("line", "column", "joined"):
                cells, err = run(tabsift, workdir, xs, kind, mode)
                where = "%s, %s cells, %s mode: b is %s" % (name, kind, mode, cells)
                if want is None:
                    if cells != ["--"] or err != NOTICE[kind] + SHORT:
                        faults.append(where + ", expected absent with a message: " + err)
                    continue
                got = int(cells[0]) if kind == "int" else float(cells[0])
                value = want[0]
                if kind == "int":
                    ok = got == int(value) or abs(value - round(value)) < 1e-9 * value
                elif math.isnan(value):
                    ok = math.isnan(got) and cells[0] == "nan"
                else:
                    ok = math.isclose(got, value, rel_tol=1e-9 if kind == "double" else 1.2e-7)
                if not ok:
                    faults.append(where + ", expected %r" % value)
    return faults


def check_method(tabsift, workdir):
    """b against e on independent samples and on AR(1) with phi = 0.9."""
    faults = []
    for name, factor in (("independent", 1.0), ("AR(1), phi 0.9", math.sqrt(1.9 / 0.1))):
        (b, e), _ = run(tabsift, workdir, SERIES[name], "double", "column", "b,e")
        _, level, blocks = blocked_error(SERIES[name])
        tolerance = 3 / math.sqrt(2 * (blocks - 1))
        ratio = float(b) / (float(e) * factor)
        if abs(ratio - 1) > tolerance:
            faults.append("%s: b / (e * %.4g) is %.4g, beyond 1 +- %.3g (level %d)"
                          % (name, factor, ratio, tolerance, level))
    for kind in ("double", "float", "int"):
        cells, _ = run(tabsift, workdir, as_kind(SERIES["equal values"], kind), kind, "column")
        if len(cells) != 1 or float(cells[0]) != 0 or cells[0].startswith("-"):
            faults.append("equal %s values: b is %s, expected 0" % (kind, cells))
    return faults


def main(argv):
    tabsift = os.path.abspath(argv[1])
    with tempfile.TemporaryDirectory() as workdir:
        faults = check_reference(tabsift, workdir) + check_method(tabsift, workdir)
    for fault in faults[:20]:
        print(fault)
    print("%d faults" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
