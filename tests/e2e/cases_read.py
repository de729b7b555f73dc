"""Reading input: data lines, comment lines, the cells of the three cell
types, named parameters, standard input, and inputs that cannot be used."""

from casekit import case, header, off

INT, FLOAT = "Using Integers as data type\n", "Using Float as data type\n"
STDIN = "read from stdin\n"


def bad(position, times=1):
    return "Invalid value detected in data file: {}\n".format(position) * times


def param(name, position):
    return "Invalid value of parameter {} in data file: {}\n".format(name, position)


def missing(name):
    return "tabsift: cannot open input file '{}': No such file or directory\n".format(name)


def read(name, data, out, cell_type="", err=""):
    """One input a.dat read with the given cell-type option, comments off."""
    return off(name, cell_type + " -i a.dat", files={"a.dat": data}, out=out, err=err)


ZEROS = "0 -0 +0 00 .0 0e0 -0.0 -0.00 0.0abc\n"
FORMS = "2abc 1,5 0x1p3 \v5 +.5 1e3 -2.5E-1 inf -INF nan -nan e5 . - # abc\n"
FORMS_OUT = "2 1 8 5 0.5 1000 -0.25 inf -inf nan -nan -- -- -- -- -- \n\n"
REDUCE = "0.5 -0.7 1.9 -1.9 3e9 2147483647 -2147483648 2147483648 1e-50 1e39 -1e39\n"
REDUCED = "0.5 -0.7 1.9 -1.9 3e+09 2.14748e+09 -2.14748e+09 2.14748e+09 "

CASES = [
    # Line kinds and token splitting.
    read("blanks and tabs around tokens", "  1 2\t3  \n\t4\t \t5 6\t\n", "1 2 3 \n4 5 6 \n\n"),
    read("blank lines and comments hold no data",
         "\n# c = 1\n \t \r\n1 2\n  # also a comment\n3 4\n", "1 2 \n3 4 \n\n"),
    read("a # inside a data line is a token", "1 2 # word\n", "1 2 -- -- \n\n", err=bad(1, 2)),
    read("short lines are padded", "1 2 3\n4\n5 6 7 8 9\n",
         "1 2 3 -- -- \n4 -- -- -- -- \n5 6 7 8 9 \n\n"),
    read("no final newline", "1 2\n3 4", "1 2 \n3 4 \n\n"),
    read("a line of 300000 tokens", "2.5 " * 300000, "2.5 " * 300000 + "\n\n"),
    read("CR LF reads like LF", "1 2\r\n3 4\r\n", "1 2 \n3 4 \n\n"),
    read("CR alone ends no line", "1 2\r3 4\r", "1 2 3 4 \n\n"),
    case("comment lines keep their trailing CR", "-i a.dat --comments 1",
         files={"a.dat": "  # T = 300\r\n1\r\n"},
         out=header("-i a.dat --comments 1") + "# T = 300\r\n1 \n\n"),
    read("NUL bytes and binary garbage", b"1\x002 \x01\xfe 3\n\xff\xff\n\x00\n4",
         "1 -- 3 \n-- -- -- \n-- -- -- \n4 -- -- \n\n", err=bad(1, 3)),

    # Tokens: a token is a number when it begins with one.
    read("zeros in every form are numbers", ZEROS, "0 -0 0 0 0 0 -0 -0 0 \n\n"),
    read("zeros as float cells", ZEROS, "0 -0 0 0 0 0 -0 -0 0 \n\n", "--float", FLOAT),
    read("zeros as int cells", ZEROS, "0 0 0 0 0 0 0 0 0 \n\n", "--int", INT),
    read("number forms as atof reads them", FORMS, FORMS_OUT, err=bad(1, 5)),
    read("number forms as float cells", FORMS, FORMS_OUT, "--float", FLOAT + bad(1, 5)),
    read("int cells refuse nan and infinity", FORMS,
         "2 1 8 5 0 1000 0 -- -- -- -- -- -- -- -- -- \n\n", "--int", INT + bad(1, 9)),
    read("reduction to double", REDUCE, REDUCED + "1e-50 1e+39 -1e+39 \n\n"),
    read("reduction to float", REDUCE, REDUCED + "0 inf -inf \n\n", "--float", FLOAT),
    read("reduction to int: truncation and the 32-bit range", REDUCE,
         "0 0 1 -1 -- 2147483647 -2147483648 -- 0 -- -- \n\n", "--int", INT + bad(1, 4)),
    off("messages follow input order", "-i a.dat,b.dat", files={"a.dat": "x\n1 y\n",
        "b.dat": "z 2\n"},
        out="-- -- \n1 -- \n\n-- 2 \n\n", err=bad(1, 2) + bad(2)),

    # Several inputs and inputs that cannot be used.
    off("inputs without data keep their places", "-i e.dat,c.dat,a.dat",
        files={"e.dat": "", "c.dat": "# only = 1\n",
        "a.dat": "x 1\n"}, out="-- 1 \n\n", err=bad(3)),
    off("missing input is reported and the run fails", "-i a.dat,nope.dat,b.dat",
        files={"a.dat": "1\n", "b.dat": "2 x\n"}, out="1 \n\n2 -- \n\n",
        err=missing("nope.dat") + bad(3), rc=1),
    off("empty name between commas", "-i a.dat,,b.dat", files={"a.dat": "q\n", "b.dat": "x\n"},
        out="-- \n\n-- \n\n", err=bad(1) + missing("") + bad(3), rc=1),
    off("a directory cannot be read", "-i a.dat,sub", files={"a.dat": "1\n", "sub/f": ""},
        out="1 \n\n", err="tabsift: cannot open input file 'sub': Is a directory\n", rc=1),
    off("trailing comma adds no input", "-i a.dat,", files={"a.dat": "1\n"}, out="1 \n\n"),
    off("names are not trimmed", ["-i", "a.dat, a.dat"], files={"a.dat": "1\n"}, out="1 \n\n",
        err=missing(" a.dat"), rc=1),
    off("join pads across inputs", "-j -i a.dat,b.dat", files={"a.dat": "1\n", "b.dat": "2 3 4\n"},
        out="1 -- -- \n2 3 4 \n"),

    # Standard input.
    off("standard input", "", stdin="1 2\n# p = x\n3\n", out="1 2 \n3 -- \n\n", err=STDIN),
    off("standard input with invalid tokens", "--int", stdin="1.5 abc\r\n", out="1 -- \n\n",
        err=INT + STDIN + bad(1)),
    off("an empty input list reads standard input with its parameters", ["-i", ""],
        stdin="# x = y\n1\n", out="1 \n\n", err=param("x", 1)),
    off("standard input without a list has no parameters", "", stdin="# x = y\n1\n",
        out="1 \n\n", err=STDIN),
    off("empty standard input", "", stdin="", err=STDIN),

    # Named parameters: only values that are no number are reported.
    off("parameter values", "-i a.dat",
        files={"a.dat": "# T = 300 K P=1.5\n# N = -0\n# N = 0\r\n# x =\n# a == 1\n# M = zero\n1\n"},
        out="1 \n\n", err=param("x", 1) + param("a", 1) + param("M", 1)),
    off("parameter messages name their input", "-i a.dat,b.dat",
        files={"a.dat": "1\n", "b.dat": "# Run 7: T = hot\n"}, out="1 \n\n", err=param("T", 2)),
    off("parameter messages after the input messages", "-i a.dat,none.dat",
        files={"a.dat": "# x = y\n1\n"}, out="1 \n\n", err=missing("none.dat") + param("x",
        1), rc=1),
]
