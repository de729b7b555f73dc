#!/usr/bin/env python3
"""Writes the deterministic benchmark files into bench/data/.

  floats.dat  10 columns of floats in printf %g-like forms (~SIZE MB)
  floats.csv  the same table with its cells separated by commas (made from
              floats.dat, byte for byte the same size; comment lines kept)
  ints.dat    10 columns of integers (~SIZE MB)
  keyed.dat   an integer key column (1000 distinct keys) and 9 float columns
  narrow.dat  one column: 5 million lines of "1" (10 MB), where the cost per
              line outweighs the cost per cell
  small/      20,000 files "0" .. "19999" of 50 lines of floats each, and
              list.txt naming them all in one comma-separated list

Ragged tables, cut from the lines of floats.dat, so that each compares with
a uniform table of the same numbers:

  ragged_names.dat   a names line "a b", then every line of floats.dat
  cols2.dat          the first 2 numbers of every line of floats.dat
  cols3.dat          the first 3 numbers of every line of floats.dat
  ragged_widths.dat  the numbers of floats.dat in order, in lines of 8, 12,
                     9, 11 and 10 numbers in turn (as many lines and numbers)

Each file starts with a few comment lines carrying named parameters.
With --scale also, by the same generator:

  floats_1gb.dat, keyed_1gb.dat   the same kinds of file, ten times the size

usage: gen_data.py [--scale] [SIZE_MB]   (default 100)
"""

import os
import random
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "data")


def write(name, size_mb, make_line, seed=None):
    path = os.path.join(OUT, name)
    target = size_mb * 1000 * 1000
    if os.path.exists(path) and abs(os.path.getsize(path) - target) < target // 50:
        return
    rng = random.Random(seed or name)
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


SMALL_FILES, SMALL_LINES = 20000, 50


def write_small():
    """Many small inputs: each file a header comment and 50 float lines."""
    folder = os.path.join(OUT, "small")
    listing = os.path.join(folder, "list.txt")
    if os.path.exists(listing):
        return
    os.makedirs(folder, exist_ok=True)
    rng = random.Random("small")
    for i in range(SMALL_FILES):
        with open(os.path.join(folder, str(i)), "w") as f:
            f.write("# small file %d\n" % i)
            f.write("".join(float_line(rng) for _ in range(SMALL_LINES)))
    with open(listing, "w") as f:
        f.write(",".join(str(i) for i in range(SMALL_FILES)))
    print("wrote", folder)


def write_csv():
    """floats.dat with a comma in place of every blank of its data lines."""
    source = os.path.join(OUT, "floats.dat")
    path = os.path.join(OUT, "floats.csv")
    if os.path.exists(path) and os.path.getsize(path) == os.path.getsize(source):
        return
    with open(source, "rb") as f, open(path, "wb") as out:
        for text in f:
            out.write(text if text.startswith(b"#") else text.replace(b" ", b","))
    print("wrote", path)


NARROW_LINES = 5000000


def write_narrow():
    path = os.path.join(OUT, "narrow.dat")
    if os.path.exists(path) and os.path.getsize(path) == 2 * NARROW_LINES:
        return
    with open(path, "w") as f:
        f.write("1\n" * NARROW_LINES)
    print("wrote", path)


RAGGED_WIDTHS = (8, 12, 9, 11, 10)


def derive(name, make_lines):
    """Writes data/name from the data lines of floats.dat, each as a list of
    its words, through make_lines(lines, out); once."""
    path = os.path.join(OUT, name)
    if os.path.exists(path):
        return
    with open(os.path.join(OUT, "floats.dat")) as source, \
            open(path + ".tmp", "w") as out:
        lines = (line.split() for line in source if not line.startswith("#"))
        make_lines(lines, out)
    os.replace(path + ".tmp", path)
    print("wrote", path)


def rewidened(lines, out):
    """The numbers of `lines` in order, in lines of RAGGED_WIDTHS in turn."""
    pending, turn = [], 0
    for words in lines:
        pending.extend(words)
        while len(pending) >= RAGGED_WIDTHS[turn]:
            width = RAGGED_WIDTHS[turn]
            out.write(" ".join(pending[:width]) + "\n")
            del pending[:width]
            turn = (turn + 1) % len(RAGGED_WIDTHS)
    if pending:
        out.write(" ".join(pending) + "\n")


def write_ragged():
    derive("ragged_names.dat", lambda lines, out: out.writelines(
        ["a b\n"] + [" ".join(words) + "\n" for words in lines]))
    for width in (2, 3):
        derive("cols%d.dat" % width, lambda lines, out, width=width: out.writelines(
            " ".join(words[:width]) + "\n" for words in lines))
    derive("ragged_widths.dat", rewidened)


def main():
    args = sys.argv[1:]
    scale = "--scale" in args
    args = [a for a in args if a != "--scale"]
    size = int(args[0]) if args else 100
    os.makedirs(OUT, exist_ok=True)
    write("floats.dat", size, float_line)
    write_csv()
    write("ints.dat", size, int_line)
    write("keyed.dat", size, keyed_line)
    write_narrow()
    write_small()
    write_ragged()
    if scale:
        # The same generator and seeds, ten times as long.
        write("floats_1gb.dat", size * 10, float_line, seed="floats.dat")
        write("keyed_1gb.dat", size * 10, keyed_line, seed="keyed.dat")


if __name__ == "__main__":
    main()
