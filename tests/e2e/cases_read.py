"""Reading input: data and comment lines, parameters, standard input, and
inputs that cannot be used."""

from casekit import case, header, off

INT = "Using Integers as data type\n"
STDIN = "read from stdin\n"


def bad(position, times=1):
    return "Invalid value detected in data file: {}\n".format(position) * times


def param(name, position):
    return "Invalid value of parameter {} in data file: {}\n".format(name, position)


def unusable(name, reason="No such file or directory"):
    return "tabsift: cannot open input file '{}': {}\n".format(name, reason)


# Blanks, tabs, comments, a "#" token, CR LF, a CR inside a line, NUL bytes,
# garbage, no final line feed.
LINES = b"  1 2\t3  \n\n# c = 1\n \t \r\n  # c\n4 # w\r\n5\r6\n7\x008 \x01\xfe\n\x00\x01 9\x002\n10"
# A repeated parameter keeps its last value.
COMMENTS = "# N = -0 x =\n# T = 300 K\r\n# run\tT\t=\t310\n# T = hot\n"
INPUTS = {"e": "", "b": "\n  \n\t\r\n", "p": "  " + COMMENTS + "7\n", "d": "1 x\n\t# T = 5\n3\n",
          "sub/f": ""}
LIST = "-i e,b,p,,sub,d --comments all -p 1,T,N"
NO_COMMENT = "\r\n\n"

CASES = [
    off("line kinds and token splitting", "-i a.dat", files={"a.dat": LINES},
        out="1 2 3 \n4 -- -- \n5 6 -- \n7 -- -- \n-- 9 -- \n10 -- -- \n\n",
        err=bad(1, 3) + "tabsift: input file 'a.dat', line 8: token '7\x008' read only in part, as 7\n"
        + bad(1)),

    case("inputs without data, unusable inputs and parameters", LIST, files=INPUTS, rc=1,
         out=header(LIST) + NO_COMMENT * 2 + COMMENTS
         + NO_COMMENT * 2 + "# T = 5\n7 310 -0 \n1 5 -- \n3 5 -- \n\n",
         err=unusable("") + unusable("sub", "Is a directory") + bad(6) + param("x", 3)
         + param("T", 3)),

    off("standard input", "--int", stdin=b"1.5 abc\r\n# p = x\n\x80\x00\x7f 5\r\n\x0b7\n",
        out="1 -- \n-- 5 \n7 -- \n\n", err=INT + STDIN + bad(1, 2)),
    off("an empty input list reads standard input with its parameters", ["-i", ""],
        stdin="# x = y\n1\n", out="1 \n\n", err=param("x", 1)),
    off("empty standard input", "", stdin="", err=STDIN),
]
