#!/usr/bin/env python3
"""Writes the deterministic benchmark files into bench/data/.

  floats.dat  10 columns of floats in printf %g-like forms (~SIZE MB)
  ints.dat    10 columns of integers (~SIZE MB)
  keyed.dat   an integer key column (1000 distinct keys) and 9 float columns

Each file starts with a few comment lines carrying named parameters.
usage: gen_data.py [SIZE_MB]   (default 100)
"""

import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "data")


def write(name, size_mb, make_line):
    path = os.path.join(OUT, name)
    target = size_mb * 1000 * 1000
    if os.path.exists(path) and abs(os.path.getsize(path) - target) < target // 50:
        return
    rng = random.Random(name)
    written = 0
    with open(path, "w") as f:
        f.write("# benchmark file %s\n# T = 300 P = 1.5\n# dt = 0.002\n" % name)
        chunk = []
        while written < target:
            line = make_line(rng)
            chunk.append(line)
            written += len(line)
            if len(chunk) == 10000:
                f.write("".join(chunk))
                chunk = []
        f.write("".join(chunk))
    print("wrote", path)


def float_line(rng):
    return " ".join("%.6g" % rng.uniform(-1000, 1000) for _ in range(10)) + "\n"


def int_line(rng):
    return " ".join(str(rng.randint(-100000, 100000)) for _ in range(10)) + "\n"


def keyed_line(rng):
    return (str(rng.randint(1, 1000)) + " " +
            " ".join("%.6g" % rng.random() for _ in range(9)) + "\n")


def main():
    size = int(sys.argv[1]) if len(sys.argv) > 1 else 100
    os.makedirs(OUT, exist_ok=True)
    write("floats.dat", size, float_line)
    write("ints.dat", size, int_line)
    write("keyed.dat", size, keyed_line)


if __name__ == "__main__":
    main()
