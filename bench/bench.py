#!/usr/bin/env python3
"""Times whole-process runs of tabsift beside the tools a user would pick
instead (mawk, gawk, GNU datamash, Miller) on the same files, in one run, and
prints for each job the median wall time, the CPU time, the input rate, the
peak memory (also as a multiple of the input size) and the ratio tabsift /
fastest peer. A summary table at the end lists the figures the README
quotes. bench/install-peers.sh installs the peers and GNU time.

The jobs are listed in bench/jobs_*.py; each defines JOBS, a list of
job(name, file, tabsift_args, peers={peer: shell command}). In the commands
{file} stands for the data file and {tabsift} for the binary. A job whose
file is a directory runs inside it (many small inputs).

usage: bench.py [-n RUNS] [-k SUBSTRING] [--before OLD_BINARY] [--no-scale]
                [TABSIFT]   (default build/tabsift)

--before also times an older binary on the same tabsift jobs, so that a
change is measured against its base in the same run. The jobs tagged
"1 GB" use files ten times the size (about 2 GB of disk for the two
files); --no-scale leaves them out.

The machine may be shared: wall times then vary from run to run, so compare
ratios taken in the same run, and the CPU column, which waiting for a core
does not inflate.
"""

import glob
import importlib.util
import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")
sys.modules.setdefault("bench", sys.modules[__name__])


# The two jobs whose difference is the cost of writing the numbers.
LOAD_JOB = "load floats (keeps no line)"
WRITE_JOB = "write floats back out"


class Job:
    def __init__(self, name, file, tabsift_args, peers, scale):
        self.name, self.file, self.args, self.peers = name, file, tabsift_args, peers
        self.scale = scale


def job(name, file, tabsift_args, peers=None, scale=False):
    return Job(name, file, tabsift_args, peers or {}, scale)


class Measure:
    def __init__(self, wall, cpu, peak):
        self.wall, self.cpu, self.peak = wall, cpu, peak


def run_once(command, cwd):
    """Wall seconds, CPU seconds and peak resident bytes of one command."""
    start = time.perf_counter()
    process = subprocess.Popen(["sh", "-c", command + " >/dev/null 2>&1"], cwd=cwd)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    # The usage wait4 reports covers the shell and every child it waited
    # for; the peak is that of the largest of them.
    cpu = usage.ru_utime + usage.ru_stime
    peak = usage.ru_maxrss * 1024
    return Measure(wall, cpu, peak)


def measure(command, runs, cwd):
    samples = [run_once(command, cwd) for _ in range(runs)]
    return Measure(statistics.median(s.wall for s in samples),
                   statistics.median(s.cpu for s in samples),
                   max(s.peak for s in samples))


def load_jobs():
    jobs = []
    for path in sorted(glob.glob(os.path.join(HERE, "jobs_*.py"))):
        spec = importlib.util.spec_from_file_location(os.path.basename(path)[:-3], path)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        jobs.extend(module.JOBS)
    return jobs


def input_size(path):
    if os.path.isdir(path):
        return sum(os.path.getsize(os.path.join(path, f)) for f in os.listdir(path)
                   if f[0].isdigit())
    return os.path.getsize(path)


def line(name, tool, m, size, extra=""):
    ratio = m.peak / size if size else 0
    print(f"{name:36} {tool:10} {m.wall:8.3f} {m.cpu:8.3f} {size / 1e6 / m.wall:8.1f}"
          f" {m.peak / 2**20:8.0f} {ratio:6.2f}{extra}", flush=True)


def main(argv):
    runs, only, before, scale = 3, None, None, True
    args = argv[1:]
    while args and args[0].startswith("-"):
        flag = args.pop(0)
        if flag == "-n":
            runs = int(args.pop(0))
        elif flag == "-k":
            only = args.pop(0)
        elif flag == "--before":
            before = os.path.abspath(args.pop(0))
        elif flag == "--no-scale":
            scale = False
    tabsift = os.path.abspath(args[0] if args else os.path.join(HERE, "..", "build", "tabsift"))
    jobs = [j for j in load_jobs() if (not only or only in j.name) and (scale or not j.scale)]
    subprocess.run([sys.executable, os.path.join(HERE, "gen_data.py")]
                   + (["--scale"] if any(j.scale for j in jobs) else []), check=True)
    print(f"runs per figure: {runs}; wall = median seconds, cpu = median user+system "
          f"seconds, peak = max resident MiB, xfile = peak / input size")
    print(f"{'job':36} {'tool':10} {'wall s':>8} {'cpu s':>8} {'MB/s':>8} {'peak MiB':>8} {'xfile':>6}")
    summary = []
    for j in jobs:
        path = os.path.join(DATA, j.file)
        cwd = path if os.path.isdir(path) else None
        size = input_size(path)
        mine = measure(f"{tabsift} {j.args.format(file=path)}", runs, cwd)
        line(j.name, "tabsift", mine, size)
        old = None
        if before:
            old = measure(f"{before} {j.args.format(file=path)}", runs, cwd)
            line("", "before", old, size, f"  (now / before: wall {mine.wall / old.wall:.2f},"
                                          f" cpu {mine.cpu / old.cpu:.2f})")
        best, best_name = None, None
        for peer, command in j.peers.items():
            command = command.format(file=path, tabsift=tabsift)
            if shutil.which(command.split()[0]) is None:
                print(f"{'':36} {peer:10} not installed")
                continue
            m = measure(command, runs, cwd)
            line("", peer, m, size)
            if best is None or m.wall < best.wall:
                best, best_name = m, peer
        if best:
            print(f"{'':36} ratio tabsift / fastest peer ({best_name}) = "
                  f"{mine.wall / best.wall:.2f} wall, {mine.cpu / best.cpu:.2f} cpu", flush=True)
        summary.append((j, size, mine, old, best, best_name))
    by_name = {j.name: (mine, old) for j, _, mine, old, _, _ in summary}
    load, write = by_name.get(LOAD_JOB), by_name.get(WRITE_JOB)
    if load and write:
        # Each data line of floats.dat holds ten numbers.
        with open(os.path.join(DATA, "floats.dat"), "rb") as f:
            numbers = 10 * sum(1 for text in f if not text.startswith(b"#"))
        for label, index in (("now", 0), ("before", 1)):
            if write[index] and load[index]:
                print(f"writing one number ({label}): "
                      f"{(write[index].cpu - load[index].cpu) / numbers * 1e9:.1f} ns cpu, "
                      f"{(write[index].wall - load[index].wall) / numbers * 1e9:.1f} ns wall "
                      f"(read-and-write minus load-only, over {numbers} numbers)")
    print("\n| job | tabsift | peak / file | fastest peer | ratio |"
          + (" before |" if before else ""))
    print("|---|---|---|---|---|" + ("---|" if before else ""))
    for j, size, mine, old, best, best_name in summary:
        peer = f"{best_name} {best.wall:.2f} s" if best else ""
        ratio = f"{mine.wall / best.wall:.2f}" if best else ""
        prior = (f" {old.wall:.2f} s, x{old.peak / size:.2f} |" if old else " |") if before else ""
        print(f"| {j.name} | {mine.wall:.2f} s ({size / 1e6 / mine.wall:.0f} MB/s) "
              f"| {mine.peak / size:.2f} | {peer} | {ratio} |" + prior)


if __name__ == "__main__":
    main(sys.argv)
