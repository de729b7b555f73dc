#!/usr/bin/env python3
"""usage: blocking_test.py TABSIFT. What blocking (-c b) promises, on 2^16
generated samples in one column: on independent samples b is e within the
statistical error of the level chosen, 1 / sqrt(2 (blocks - 1)) relative,
at three times that; on an AR(1) series with phi = 0.9 it is
e * sqrt((1 + phi) / (1 - phi)) within the same; on equal values of each
cell type it is 0. (b against the blocking reference in every mode and
cell type is tests/stats_differential.py's.)"""

import math
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from blocking_reference import ar1, blocked_error  # noqa: E402


def column_results(tabsift, workdir, xs, request, kind="double"):
    name = os.path.join(workdir, "series.dat")
    with open(name, "w") as out:
        out.writelines("%r\n" % x for x in xs)
    args = [tabsift, "-i", name, "--comments", "off", "-r", "--col", "-c", request]
    return subprocess.run(args + (["--" + kind] if kind != "double" else []),
                          capture_output=True, text=True, check=True).stdout.split()


def main(argv):
    tabsift, faults = os.path.abspath(argv[1]), []
    with tempfile.TemporaryDirectory() as workdir:
        for name, phi, seed in (("independent", 0.0, 2), ("AR(1), phi 0.9", 0.9, 1)):
            xs = ar1(2 ** 16, phi, seed)
            b, e = map(float, column_results(tabsift, workdir, xs, "b,e"))
            _, level, blocks = blocked_error(xs)
            factor = math.sqrt((1 + phi) / (1 - phi))
            tolerance = 3 / math.sqrt(2 * (blocks - 1))
            if abs(b / (e * factor) - 1) > tolerance:
                faults.append("%s: b / (e * %.4g) is %.4g, beyond 1 +- %.3g (level %d)"
                              % (name, factor, b / (e * factor), tolerance, level))
        for kind, value in (("double", 0.1), ("float", 7.25), ("int", -3)):
            cells = column_results(tabsift, workdir, [value] * 4096, "b", kind)
            if cells != ["0"]:
                faults.append("4096 %s cells of %r: b is %s, expected 0" % (kind, value, cells))
    for fault in faults:
        print(fault)
    print("%d faults" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
