"""Ragged tables, whose lines differ in width, each beside a uniform table
of the same numbers run the same way (the peers; ratio = ragged / uniform,
goal at most 1.2): a names line before the lines of floats.dat, the numbers
of floats.dat in lines of 8 to 12 numbers (blank filling pads them to 12,
so writing them writes more), and files of widths 2 and 3 filtered
together, beside files of widths 2 and 2 (fewer cells) and 3 and 3 (more
cells). gen_data.py cuts the ragged files from floats.dat."""
import os

from bench import DATA, job

FLOATS = os.path.join(DATA, "floats.dat")
COLS2 = os.path.join(DATA, "cols2.dat")
COLS3 = os.path.join(DATA, "cols3.dat")
BASE = "--comments off"
LOAD = BASE + " -f 1,lt-1e300"
KEEP_ALL = BASE + " -f 1,gt-2000"

JOBS = [
    job("ragged: names line, then 1.2 M lines", "ragged_names.dat",
        "-i {file} " + BASE,
        {"uniform": "{tabsift} -i " + FLOATS + " " + BASE}),
    job("ragged: widths 8 to 12, load", "ragged_widths.dat",
        "-i {file} " + LOAD,
        {"uniform": "{tabsift} -i " + FLOATS + " " + LOAD}),
    job("ragged: widths 8 to 12, read and write", "ragged_widths.dat",
        "-i {file} " + BASE,
        {"uniform": "{tabsift} -i " + FLOATS + " " + BASE}),
    job("ragged: widths 2 and 3 filtered together", "cols3.dat",
        "-i " + COLS2 + ",{file} " + KEEP_ALL,
        {"uniform 2,2": "{tabsift} -i " + COLS2 + "," + COLS2 + " " + KEEP_ALL,
         "uniform 3,3": "{tabsift} -i {file},{file} " + KEEP_ALL}),
]
