"""Compressed inputs: the 100 MB float table loaded from a gzip and a zstd
copy, against the plain file (ratio = compressed / plain) and against
decompressing in a pipe (ratio = in-process / zcat pipe). The copies are
made here with the gzip and zstd commands at their default levels."""
import os
import subprocess

from bench import DATA, job

PLAIN = os.path.join(DATA, "floats.dat")
LOAD = "--comments off -f 1,lt-1e300"


def compressed_copy(suffix, command):
    path = PLAIN + suffix
    if os.path.exists(PLAIN) and (not os.path.exists(path) or
                                  os.path.getmtime(path) < os.path.getmtime(PLAIN)):
        with open(path + ".tmp", "wb") as out:
            subprocess.run(command + [PLAIN], stdout=out, check=True)
        os.replace(path + ".tmp", path)
    return os.path.basename(path)


GZIP = compressed_copy(".gz", ["gzip", "-c"])
ZSTD = compressed_copy(".zst", ["zstd", "-q", "-c"])

JOBS = [
    job("compressed: gzip file / plain file", GZIP, "-i {file} " + LOAD,
        {"plain": "{tabsift} -i " + PLAIN + " " + LOAD}),
    job("compressed: gzip file / zcat pipe", GZIP, "-i {file} " + LOAD,
        {"zcat|": "zcat {file} | {tabsift} " + LOAD}),
    job("compressed: zstd file / plain file", ZSTD, "-i {file} " + LOAD,
        {"plain": "{tabsift} -i " + PLAIN + " " + LOAD}),
    job("compressed: zstd file / zstdcat pipe", ZSTD, "-i {file} " + LOAD,
        {"zstdcat|": "zstdcat {file} | {tabsift} " + LOAD}),
]
