#!/usr/bin/env python3
"""Black-box cases for the tabsift binary, and their runner.

A case table (tests/e2e/cases_*.py) defines CASES, a list of case(...); each
runs the binary once as "tabsift" (SOURCE_DATE_EPOCH=0, TZ=UTC) in a fresh
directory holding its files, and compares stdout, stderr, the exit status and
the named output files byte for byte:

    case("filter keeps greater", "-i a.dat --comments off -f 1,gt2",
         files={"a.dat": "1 2\n3 4\n"}, out="3 4 \n\n")

A shell case exits with SKIP (77) where the host lacks what it needs; a case
that needs size takes sized(release, sanitized), the second under the
sanitizers (TABSIFT_SANITIZED=1).

usage: casekit.py BINARY CASES.py [CASES.py ...] [-k SUBSTRING]
"""

import importlib.util
import os
import shlex
import subprocess
import sys
import tempfile
import time
from types import SimpleNamespace

EPOCH_DATE_LINE = "#Thu Jan  1 00:00:00 1970\n\n"
SANITIZED = os.environ.get("TABSIFT_SANITIZED") == "1"
TIMEOUT = 120
SKIP = 77


def sized(release, sanitized):
    return sanitized if SANITIZED else release


def words(args):
    return shlex.split(args) if isinstance(args, str) else list(args)


def case(name, args, out="", err="", rc=0, stdin="", files=None,
         outfiles=None, env=None, shell=None):
    """One run of the binary. args: the words after the program name (a
    string is split as a shell would); out, err: None is not compared; stdin
    None is /dev/null; files are written first; outfiles are expected after
    (None: must not exist); shell: a script run instead, with the binary as
    `tabsift` on its PATH (out, err and rc are the script's)."""
    return SimpleNamespace(name=name, argv=words(args), out=out, err=err, rc=rc,
                           stdin=stdin, files=files or {}, outfiles=outfiles or {},
                           env=env or {}, shell=shell)


def shell_case(name, script, **expected):
    """A case that runs a shell script; see case()."""
    return case(name, [], shell=script, **expected)


def off(name, args, out="", **expected):
    """A case whose command line ends in "--comments off": tables only."""
    return case(name, words(args) + ["--comments", "off"], out=out, **expected)


def off_rows(rows, files=None, err="", **expected):
    """off() cases from rows (name, args, out[, err]), all with one set of files."""
    return [off(row[0], row[1], out=row[2], err=row[3] if len(row) > 3 else err,
                files=files, **expected) for row in rows]


def header(args, date_line=EPOCH_DATE_LINE):
    """The run header: every word followed by a blank, then the date line."""
    return "#" + "".join(w + " " for w in ["tabsift"] + words(args)) + "\n" + date_line


def as_bytes(text):
    return text if isinstance(text, bytes) or text is None else text.encode()


def mismatch(label, expected, actual):
    expected = as_bytes(expected)
    return "" if expected == actual else (
        f"  {label}:\n    expected {expected!r}\n    actual   {actual!r}\n")


def run_case(binary, c, workdir):
    """Runs one case in workdir; returns its mismatches, empty when it passes,
    or None when it was skipped."""
    for name, content in c.files.items():
        path = os.path.join(workdir, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(as_bytes(content))
    env = dict(os.environ, SOURCE_DATE_EPOCH="0", TZ="UTC", LC_ALL="C")
    env.update(c.env)
    feed = {"stdin": subprocess.DEVNULL} if c.stdin is None else {"input": as_bytes(c.stdin)}
    if c.shell is None:
        command = {"args": ["tabsift"] + c.argv, "executable": binary}
    else:
        bindir = os.path.join(workdir, ".bin")
        os.mkdir(bindir)
        os.symlink(binary, os.path.join(bindir, "tabsift"))
        env["PATH"] = bindir + os.pathsep + env.get("PATH", "")
        command = {"args": ["sh", "-c", c.shell]}
    try:
        proc = subprocess.run(cwd=workdir, env=env, capture_output=True, timeout=TIMEOUT,
                              **command, **feed)
    except subprocess.TimeoutExpired:
        return "  timed out\n"
    if c.shell is not None and proc.returncode == SKIP:
        return None
    problems = "".join(mismatch(label, want, got) for label, want, got in [
        ("stdout", c.out, proc.stdout), ("stderr", c.err, proc.stderr),
        ("exit status", str(c.rc), str(proc.returncode).encode())] if want is not None)
    for name, want in c.outfiles.items():
        path = os.path.join(workdir, name)
        problems += mismatch(f"file {name}", want,
                             open(path, "rb").read() if os.path.exists(path) else None)
    return problems


def main(argv):
    only = argv.pop(argv.index("-k") + 1) if "-k" in argv else None
    argv = [a for a in argv if a != "-k"]
    binary, failed, passed, skipped = os.path.abspath(argv[1]), 0, 0, 0
    slowest = (0.0, "")
    for table in argv[2:]:
        spec = importlib.util.spec_from_file_location(os.path.basename(table)[:-3], table)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        for c in module.CASES:
            if only and only not in c.name:
                continue
            start = time.monotonic()
            with tempfile.TemporaryDirectory(prefix="tabsift-e2e-") as d:
                problems = run_case(binary, c, d)
            slowest = max(slowest, (time.monotonic() - start, c.name))
            if problems is None:
                print(f"SKIP {os.path.basename(table)}: {c.name}")
                skipped += 1
                continue
            if problems:
                print(f"FAIL {os.path.basename(table)}: {c.name}\n{problems}")
            failed, passed = failed + bool(problems), passed + (not problems)
    print(f"{passed} passed, {skipped} skipped, {failed} failed; "
          f"slowest {slowest[0]:.2f} s of {TIMEOUT} s: {slowest[1]}")
    return 1 if failed else SKIP if skipped and not passed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
