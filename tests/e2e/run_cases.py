#!/usr/bin/env python3
"""Runs the case tables of tests/e2e against a built tabsift binary.

usage: run_cases.py BINARY CASES.py [CASES.py ...] [-k SUBSTRING]
"""

import importlib.util
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))


def as_bytes(text):
    return text if isinstance(text, bytes) or text is None else text.encode()


def load_cases(path):
    spec = importlib.util.spec_from_file_location(
        os.path.basename(path)[:-3], path)
    module = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(module)
    return module.CASES


def show(label, expected, actual):
    return f"  {label}:\n    expected {expected!r}\n    actual   {actual!r}\n"


def run_case(binary, c, workdir):
    for name, content in c.files.items():
        path = os.path.join(workdir, name)
        os.makedirs(os.path.dirname(path) or workdir, exist_ok=True)
        with open(path, "wb") as f:
            f.write(as_bytes(content))
    env = dict(os.environ, SOURCE_DATE_EPOCH="0", TZ="UTC", LC_ALL="C")
    env.update(c.env)
    feed = {"stdin": subprocess.DEVNULL} if c.stdin is None else {
        "input": as_bytes(c.stdin)}
    if c.shell is None:
        command = {"args": ["tabsift"] + c.argv, "executable": binary}
    else:
        # The script finds the binary as `tabsift` on its PATH.
        bindir = os.path.join(workdir, ".bin")
        os.mkdir(bindir)
        os.symlink(binary, os.path.join(bindir, "tabsift"))
        env["PATH"] = bindir + os.pathsep + env.get("PATH", "")
        command = {"args": ["sh", "-c", c.shell]}
    try:
        proc = subprocess.run(cwd=workdir, env=env, capture_output=True,
                              timeout=120, **command, **feed)
    except subprocess.TimeoutExpired:
        return "  timed out\n"
    problems = ""
    if c.out is not None and proc.stdout != as_bytes(c.out):
        problems += show("stdout", as_bytes(c.out), proc.stdout)
    if c.err is not None and proc.stderr != as_bytes(c.err):
        problems += show("stderr", as_bytes(c.err), proc.stderr)
    if proc.returncode != c.rc:
        problems += show("exit status", c.rc, proc.returncode)
    for name, expected in c.outfiles.items():
        path = os.path.join(workdir, name)
        actual = open(path, "rb").read() if os.path.exists(path) else None
        if actual != as_bytes(expected):
            problems += show(f"file {name}", as_bytes(expected), actual)
    return problems


def main(argv):
    only = None
    if "-k" in argv:
        i = argv.index("-k")
        only = argv[i + 1]
        del argv[i:i + 2]
    binary = os.path.abspath(argv[1])
    passed = failed = 0
    for table in argv[2:]:
        for c in load_cases(table):
            if only and only not in c.name:
                continue
            with tempfile.TemporaryDirectory(prefix="tabsift-e2e-") as d:
                problems = run_case(binary, c, d)
            if problems:
                failed += 1
                print(f"FAIL {os.path.basename(table)}: {c.name}\n{problems}")
            else:
                passed += 1
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
