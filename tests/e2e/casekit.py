"""Black-box cases for the tabsift binary.

A case table is a Python file named cases_*.py that defines CASES, a list of
case(...) entries. Each case runs the built binary once, in a fresh empty
directory holding the given input files, and compares standard output,
standard error, the exit status and any named output files byte for byte.

    case("filter keeps greater",
         "-i a.dat --comments off -f 1,gt2",
         files={"a.dat": "1 2\n3 4\n"},
         out="3 4 \n\n")

The binary runs as "tabsift" (its argv[0]) with SOURCE_DATE_EPOCH=0 and
TZ=UTC, so a run header reads header("-i a.dat -f 1,gt2"), the command
line followed by the date line "#Thu Jan  1 00:00:00 1970" and an empty line.
"""

import shlex

EPOCH_DATE_LINE = "#Thu Jan  1 00:00:00 1970\n\n"


class Case:
    def __init__(self, name, args, out, err, rc, stdin, files, outfiles, env,
                 shell=None):
        self.name = name
        self.shell = shell
        self.argv = shlex.split(args) if isinstance(args, str) else list(args)
        self.out = out
        self.err = err
        self.rc = rc
        self.stdin = stdin
        self.files = files or {}
        self.outfiles = outfiles or {}
        self.env = env or {}


def case(name, args, out="", err="", rc=0, stdin="", files=None,
         outfiles=None, env=None, shell=None):
    """One run of the binary.

    args      the command line after the program name: a string split as a
              shell would split it, or a list of words
    out, err  expected standard output and standard error (str or bytes);
              None skips the comparison
    rc        expected exit status
    stdin     text fed to standard input (str or bytes); None connects it
              to /dev/null
    files     {name: content} written into the run directory first
    outfiles  {name: content} expected in the run directory afterwards;
              content None means the file must not exist
    env       extra environment variables
    shell     a shell script to run instead of the binary alone, for pipes,
              FIFOs and closed streams; in it `tabsift` runs the binary
              (args is then ignored); out, err and rc are those of the script
    """
    return Case(name, args, out, err, rc, stdin, files, outfiles, env, shell)


def shell_case(name, script, **expected):
    """A case that runs a shell script; see case()."""
    return case(name, [], shell=script, **expected)


def off(name, args, out="", **expected):
    """A case whose command line ends in "--comments off": tables only."""
    words = shlex.split(args) if isinstance(args, str) else list(args)
    return case(name, words + ["--comments", "off"], out=out, **expected)


def off_rows(rows, files=None, err="", **expected):
    """Cases of the off() shape from rows (name, args, out) or (name, args,
    out, err), all with the same input files."""
    return [off(row[0], row[1], out=row[2], err=row[3] if len(row) > 3 else err,
                files=files, **expected) for row in rows]


def header(args, date_line=EPOCH_DATE_LINE):
    """The run header of a run with the given arguments: the command line,
    every word followed by one blank, then the date line."""
    words = ["tabsift"] + (shlex.split(args) if isinstance(args, str)
                           else list(args))
    return "#" + "".join(w + " " for w in words) + "\n" + date_line
