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

usage: bench.py [-n RUNS] [-k SUBSTRING] [-x SUBSTRING] [--before OLD_BINARY]
                [--no-scale] [--faults] [TABSIFT]   (default build/tabsift)

-k runs only the jobs whose name holds SUBSTRING, -x leaves them out; each
may be given more than once (a binary from before ragged tables took
linear time needs hours on the "ragged" jobs: -x ragged with --before
such a binary).

--faults runs only tabsift, once per job of FAULT_GOALS, and states each
job's minor page faults, system time and peak memory beside its goal, with
the host's huge-page setting and the cost of one page fault on it: the fault
counts hardly depend on the host, so any host can check them.

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
    def __init__(self, wall, cpu, peak, faults=0, sys=0.0):
        self.wall, self.cpu, self.peak = wall, cpu, peak
        self.faults, self.sys = faults, sys


def run_once(command, cwd):
    """Wall seconds, CPU seconds, peak resident bytes, minor page faults and
    system seconds of one command."""
    start = time.perf_counter()
    # exec: the command replaces the shell, so that the counts are its own
    # (plus the shell's start and any command substitution it ran).
    process = subprocess.Popen(["sh", "-c", "exec " + command + " >/dev/null 2>&1"],
                               cwd=cwd)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    cpu = usage.ru_utime + usage.ru_stime
    peak = usage.ru_maxrss * 1024
    return Measure(wall, cpu, peak, usage.ru_minflt, usage.ru_stime)


def measure(command, runs, cwd):
    samples = [run_once(command, cwd) for _ in range(runs)]
    return Measure(statistics.median(s.wall for s in samples),
                   statistics.median(s.cpu for s in samples),
                   max(s.peak for s in samples),
                   int(statistics.median(s.faults for s in samples)),
                   statistics.median(s.sys for s in samples))


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
    print(f"{name:36} {tool:10} {m.wall:8.3f} {m.cpu:8.3f} {m.sys:6.3f} {size / 1e6 / m.wall:8.1f}"
          f" {m.peak / 2**20:8.0f} {ratio:6.2f} {m.faults:9d}{extra}", flush=True)


# The jobs of the page-fault goals: name -> (most minor faults, most peak
# memory as a multiple of the input; None: no such goal).
FAULT_GOALS = {
    "load floats (keeps no line)": (3000, 1.25),
    "load floats as float cells": (3000, 0.8),
    "filter $1 > 0.5": (3000, 1.25),
    "write floats back out": (3000, 1.25),
    "write floats as float cells": (3000, 0.8),
    "line sum": (3000, 1.35),
    "column sum": (3000, 1.25),
    "column median": (4000, 1.6),
    "group by key (1000 keys)": (4000, 1.35),
    "narrow: 5 million lines of one column, read and write": (3000, 6.0),
    "narrow: column sum of 5 million lines": (3000, 6.0),
    "20,000 small files: read and write": (None, None),
}


def huge_pages():
    try:
        with open("/sys/kernel/mm/transparent_hugepage/enabled") as f:
            text = f.read()
        return text[text.index("[") + 1:text.index("]")]
    except (OSError, ValueError):
        return "unknown"


FAULT_PROBE = """
import mmap, time
size = 256 << 20
block = mmap.mmap(-1, size)
passes = []
for _ in range(2):
    start = time.perf_counter()
    for i in range(0, size, mmap.PAGESIZE):
        block[i] = 1
    passes.append(time.perf_counter() - start)
print((passes[0] - passes[1]) / (size // mmap.PAGESIZE) * 1e6)
"""


def microseconds_per_fault():
    """Touches every page of a fresh 256 MiB mapping, then again: the
    difference per page is what one minor fault costs. In a process of its
    own, since a child started later would count the touched pages in its
    peak memory."""
    out = subprocess.run([sys.executable, "-c", FAULT_PROBE], check=True,
                         capture_output=True, text=True).stdout
    return float(out)


def fault_summary(tabsift, jobs):
    print(f"transparent huge pages: {huge_pages()}; one minor fault costs about "
          f"{microseconds_per_fault():.2f} us here")
    print("| job | minor faults | goal | system s | wall s | sys / wall | peak / file | goal |")
    print("|---|---|---|---|---|---|---|---|")
    failed = 0
    for j in jobs:
        if j.name not in FAULT_GOALS:
            continue
        path = os.path.join(DATA, j.file)
        cwd = path if os.path.isdir(path) else None
        m = measure(f"{tabsift} {j.args.format(file=path)}", 1, cwd)
        faults_goal, peak_goal = FAULT_GOALS[j.name]
        ratio = m.peak / input_size(path)
        bad = ((faults_goal is not None and m.faults > faults_goal) or
               (peak_goal is not None and ratio > peak_goal))
        failed += bad
        print(f"| {j.name} | {m.faults} | {faults_goal or ''} | {m.sys:.3f} | {m.wall:.3f} "
              f"| {m.sys / m.wall:.2f} | {ratio:.2f} | {peak_goal or ''} |"
              + (" over |" if bad else ""), flush=True)
    print(f"{failed} job(s) over a goal")


def main(argv):
    runs, only, without, before, scale, faults = 3, [], [], None, True, False
    args = argv[1:]
    while args and args[0].startswith("-"):
        flag = args.pop(0)
        if flag == "-n":
            runs = int(args.pop(0))
        elif flag == "-k":
            only.append(args.pop(0))
        elif flag == "-x":
            without.append(args.pop(0))
        elif flag == "--before":
            before = os.path.abspath(args.pop(0))
        elif flag == "--no-scale":
            scale = False
        elif flag == "--faults":
            faults = True
    tabsift = os.path.abspath(args[0] if args else os.path.join(HERE, "..", "build", "tabsift"))
    def chosen():
        return [j for j in load_jobs() if (not only or any(k in j.name for k in only))
                and not any(x in j.name for x in without)
                and (scale or not j.scale) and (not faults or j.name in FAULT_GOALS)]
    subprocess.run([sys.executable, os.path.join(HERE, "gen_data.py")]
                   + (["--scale"] if any(j.scale for j in chosen()) else []), check=True)
    # Loaded again now that the data exist: some jobs make copies of it.
    jobs = chosen()
    if faults:
        fault_summary(tabsift, jobs)
        return
    print(f"runs per figure: {runs}; wall = median seconds, cpu = median user+system "
          f"seconds, sys = median system seconds, peak = max resident MiB, "
          f"xfile = peak / input size, faults = median minor page faults")
    print(f"{'job':36} {'tool':10} {'wall s':>8} {'cpu s':>8} {'sys s':>6} {'MB/s':>8} "
          f"{'peak MiB':>8} {'xfile':>6} {'faults':>9}")
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
    print("\n| job | tabsift | faults | sys | peak / file | fastest peer | ratio |"
          + (" before |" if before else ""))
    print("|---|---|---|---|---|---|---|" + ("---|" if before else ""))
    for j, size, mine, old, best, best_name in summary:
        peer = f"{best_name} {best.wall:.2f} s" if best else ""
        ratio = f"{mine.wall / best.wall:.2f}" if best else ""
        prior = (f" {old.wall:.2f} s, x{old.peak / size:.2f}, {old.faults} faults, "
                 f"{old.sys:.2f} s sys |" if old else " |") if before else ""
        print(f"| {j.name} | {mine.wall:.2f} s ({size / 1e6 / mine.wall:.0f} MB/s) "
              f"| {mine.faults} | {mine.sys:.2f} s | {mine.peak / size:.2f} | {peer} | {ratio} |"
              + prior)


if __name__ == "__main__":
    main(sys.argv)
