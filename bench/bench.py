#!/usr/bin/env python3
"""Times whole-process runs of tabsift beside the tools a user would pick
instead (mawk, gawk, GNU datamash, Miller) on the same files, and prints the
median time of each, the input rate, the peak memory of tabsift and the ratio
tabsift / fastest peer.

The jobs are listed in bench/jobs_*.py; each defines JOBS, a list of
job(name, file, tabsift_args, peers={peer: shell command}). In the commands
{file} stands for the data file and {tabsift} for the binary.

usage: bench.py [-n RUNS] [-k SUBSTRING] [TABSIFT]   (default build/tabsift)
"""

import glob
import importlib.util
import os
import resource
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "data")


class Job:
    def __init__(self, name, file, tabsift_args, peers):
        self.name, self.file, self.args, self.peers = name, file, tabsift_args, peers


def job(name, file, tabsift_args, peers=None):
    return Job(name, file, tabsift_args, peers or {})


def run_timed(command):
    """Seconds and peak resident memory (bytes) of one shell command."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    start = time.perf_counter()
    subprocess.run(command, shell=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=False)
    seconds = time.perf_counter() - start
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
    return seconds, max(peak, before) * 1024


def median_time(command, runs):
    return statistics.median(run_timed(command)[0] for _ in range(runs))


def peak_memory(command):
    out = subprocess.run(["/usr/bin/time", "-f", "%M", "sh", "-c", command + " >/dev/null 2>&1"],
                         capture_output=True, text=True)
    try:
        return int(out.stderr.strip().splitlines()[-1]) * 1024
    except (ValueError, IndexError):
        return 0


def load_jobs():
    sys.path.insert(0, HERE)
    jobs = []
    for path in sorted(glob.glob(os.path.join(HERE, "jobs_*.py"))):
        spec = importlib.util.spec_from_file_location(os.path.basename(path)[:-3], path)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        jobs.extend(module.JOBS)
    return jobs


def main(argv):
    runs, only = 3, None
    args = argv[1:]
    while args and args[0].startswith("-"):
        flag = args.pop(0)
        if flag == "-n":
            runs = int(args.pop(0))
        elif flag == "-k":
            only = args.pop(0)
    tabsift = os.path.abspath(args[0] if args else os.path.join(HERE, "..", "build", "tabsift"))
    subprocess.run([sys.executable, os.path.join(HERE, "gen_data.py")], check=True)
    print(f"{'job':34} {'tool':9} {'median s':>9} {'MB/s':>8} {'peak MB':>8}")
    for j in load_jobs():
        if only and only not in j.name:
            continue
        path = os.path.join(DATA, j.file)
        size_mb = os.path.getsize(path) / 1e6
        mine = f"{tabsift} {j.args.format(file=path)}"
        t = median_time(mine, runs)
        mem = peak_memory(mine)
        print(f"{j.name:34} {'tabsift':9} {t:9.3f} {size_mb / t:8.1f} {mem / 1e6:8.0f}"
              f"  (x{mem / (size_mb * 1e6):.2f} of file)")
        best = None
        for peer, command in j.peers.items():
            command = command.format(file=path, tabsift=tabsift)
            if shutil.which(command.split()[0]) is None:
                print(f"{'':34} {peer:9} not installed")
                continue
            pt = median_time(command, runs)
            print(f"{'':34} {peer:9} {pt:9.3f} {size_mb / pt:8.1f}")
            best = pt if best is None else min(best, pt)
        if best:
            print(f"{'':34} ratio tabsift / fastest peer = {t / best:.2f}")


if __name__ == "__main__":
    main(sys.argv)
