"""Statistics appended by -c: the request grammar and its error, the order
of the letters, results as ordinary cells for the operations around them
and the messages of int results too large (the values, in every mode and
cell type, are tests/stats_differential.py's); lowest, highest and standard
error with NaN, infinities, -0, absent cells and type limits. Results only (-r): each
request keeps its results in place of the cells it summarised, in line,
column and joined column mode; files left without lines leave the table
while every remaining file keeps its own input's parameters. Also the
plotting recipe of the README on examples/sweep."""

import os

from casekit import case, header, off, off_rows

OFF = "--comments off"
AB = {"a.dat": "1 2 3\n4 5 9\n", "b.dat": "2 4\n6 8\n10 12\n"}
WRONG = "Wrong calculate argument\n"
BLANK = "Invalid value detected in data file: 1\n"
INT = "Using Integers as data type\n"
TOO_LARGE = "tabsift: %s does not fit in an int cell; written as absent\n"
INT_EXTREMES = "2147483647 2147483647 2147483647 \n" * 2 + "-2147483648 1 1 \n"

# Runs of a parameter sweep; e.dat carries parameters but no data line, so
# the table's files and the inputs no longer line up after it.
RUNS = {"r1.dat": "# T = 300 P = 1\n0 1 10\n1 3 20\n", "e.dat": "# T = 999 P = 9\n",
        "r2.dat": "# T = 350 P = 1\n0 2 30\n1 4 30\n2 6 30\n",
        "r3.dat": "# T = 300 P = 2\n0 5 1\n1 7 3\n"}

# The plotting recipe: the command of examples/sweep/sweep.gp that draws the
# error bars, run on its run files.
SWEEP_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../examples/sweep")
SWEEP_RUNS = {f"r{n}.dat": open(os.path.join(SWEEP_DIR, f"r{n}.dat")).read() for n in range(1, 5)}
SWEEP_AVERAGES = "-i r1.dat,r2.dat,r3.dat,r4.dat --comments off -r --col -c a,e,l,h -p T,2 -g 1"
# The script must run exactly the command checked here.
assert "tabsift " + SWEEP_AVERAGES in open(os.path.join(SWEEP_DIR, "sweep.gp")).read()


def headed(name, args, out, **expected):
    """A case whose output starts with the run header."""
    return case(name, args, out=header(args) + out, **expected)


CASES = [
    *off_rows([
        ("line mode with join", "-i a.dat,b.dat -j -r -c s,a",
         "6 2 \n18 6 \n6 3 \n14 7 \n22 11 \n"),
        ("column mode; the setting counts wherever it stands, in either form",
         "-i a.dat,b.dat --col -c a,d --results",
         "2.5 3.5 6 \n2.12132 2.12132 4.24264 \n\n6 8 \n4 4 \n\n"),
        ("without a calculation the table is unchanged", "-i a.dat -r", "1 2 3 \n4 5 9 \n\n"),
        # Letters run in request order, may repeat, and none takes the results
        # of an earlier one; a trailing comma ends the request.
        ("letters in request order, repeated, then a comma", "-i a.dat -c a,s,m,d,c,s,",
         "1 2 3 2 6 2 1 3 6 \n4 5 9 6 18 5 2.64575 3 18 \n\n"),
        ("empty request changes nothing", ["-i", "a.dat", "-c", ""], "1 2 3 \n4 5 9 \n\n")],
        files=AB),
    headed("joined column mode: one comment block on top",
           "-i a.dat,b.dat -j -r --col -c c,s --comments all", "# first\n# second\n2 2 \n4 6 \n",
           files={"a.dat": "# first\n1 2\n", "b.dat": "# second\n3 4\n"}),
    # Files without lines leave the table; in joined column mode the
    # count's empty line stays, and filtering or grouping the files side by
    # side makes an empty one; without data lines the header goes too.
    *[case("a file without lines: " + args, args, files=dict(AB, **RUNS), out=out)
      for args, out in [("-i a.dat -j -f 1,gt100 -r --col -c s,c " + OFF, "\n"),
                        ("-i a.dat -f 1,gt100 -r -c s -g f -p 1 " + OFF, "\n\n"),
                        ("-i e.dat -r --col -c s -f 1,gt0 " + OFF, "\n"),
                        ("-i e.dat -r --col -c s", "")]],
    # The summary job: parameters of every run beside its averages and
    # deviations, each run meeting its own parameters although an input
    # without data stands between them; the comment lines are untouched.
    headed("summary: averages then deviations, each run with its T and P",
           "-r --col -c a,d -p T,P,2,3 -i r1.dat,e.dat,r2.dat,r3.dat --comments 1", files=RUNS,
           out="# T = 300 P = 1\n# T = 999 P = 9\n# T = 350 P = 1\n# T = 300 P = 2\n"
               "300 1 2 15 \n300 1 1.41421 7.07107 \n350 1 4 30 \n350 1 2 0 \n"
               "300 2 6 2 \n300 2 1.41421 1.41421 \n\n"),
    case("one output file per input gets that input's results; merge numbers average",
         "-i a.dat,b.dat -o x.txt,y.txt -m -r --col -c a", files=AB,
         outfiles={"x.txt": header("-i a.dat,b.dat -o x.txt,y.txt -m -r --col -c a")
                   + "# Data from files: a.dat, b.dat \n1 2.5 3.5 6 \n", "y.txt": "2 6 8 \n"}),
    # The plotting recipe: T, then the average, standard error, lowest and
    # highest energy of each run (the errors are the deviations 1.68294,
    # 4.92154, 7.83519, 4.12674 over the square root of 8 values).
    case("plot recipe: one line per T for the error bars and the band", SWEEP_AVERAGES,
         files=SWEEP_RUNS,
         out="250 -1557.53 0.59501 -1559.49 -1555.2 \n300 -1520.13 1.74003 -1526.26 -1511 \n"
             "350 -1481 2.77016 -1490.61 -1464.35 \n400 -1437.2 1.45902 -1443.94 -1430.96 \n\n"),

    # l, h, e in line mode: one value gives a NaN error, none absent cells;
    # NaN wins, infinities are the ends, -0 lies below +0.
    off("line mode: lowest, highest, standard error", "-i d.dat -c l,h,e",
        files={"d.dat": "1 2 3 4\n-- 7 -- --\nnan 1 2 3\n-inf 5 inf 1\n-- -- -- --\n0 -0 -- 1\n"},
        out="1 2 3 4 1 4 0.645497 \n-- 7 -- -- 7 7 nan \nnan 1 2 3 nan nan nan \n"
            "-inf 5 inf 1 -inf inf nan \n-- -- -- -- -- -- -- \n0 -0 -- 1 -0 1 0.333333 \n\n",
        err=BLANK * 8),
    # int columns: l and h exact, e and d the exact roots truncated.
    off("int columns at the limits", "-i i.dat --int --col -c l,h,e,d",
        files={"i.dat": "2147483647 -5 x\n-2147483648 -5 x\n0 -5 x\n"},
        out="2147483647 -5 -- \n-2147483648 -5 -- \n0 -5 -- \n-2147483648 -5 -- \n"
            "2147483647 -5 -- \n1239850261 0 -- \n2147483647 0 -- \n\n",
        err=INT + BLANK * 3),
    off("joined float columns: one result line over both files", "-i a.dat,b.dat --float -j --col -c l,h,e",
        files={"a.dat": "3.4028235e38 1\n-1 nan\n", "b.dat": "-3.4028235e38 2\n"},
        out="3.40282e+38 1 \n-1 nan \n-3.40282e+38 2 \n-3.40282e+38 nan \n"
            "3.40282e+38 nan \n1.96462e+38 nan \n", err="Using Float as data type\n"),
    *off_rows([
        ("grouped lines, then their lowest and highest alone", "-i a.dat -g 1 -r -c l,h",
         "1 7 \n2 3 \n\n"),
        ("the filter tests the highest of each line", "-i a.dat -c l,h -f 4,gt6",
         "1 7 1 7 \n\n")], files={"a.dat": "1 5\n2 3\n1 7\n"}),

    *[case("malformed request %r" % request, ["-i", "a.dat", "-o", "out.dat", "-c", request],
           files=AB, err=WRONG, rc=1, outfiles={"out.dat": None})
      for request in [",s", ",", "S", "s, a", " s", "sa", "s,,a", "s,,", "s,x", "sum", "1", "s,q",
                      "L", "H", "E", "lh", "e,b2", "min"]],

    off("int results too large", "-i a.dat --int --col -c s,d", files={"a.dat": INT_EXTREMES},
        out=INT_EXTREMES + "2147483646 -- -- \n-- 1239850261 1239850261 \n\n",
        err=INT + TOO_LARGE % "sum" + TOO_LARGE % "standard deviation"),
    # 8192 cells of -2^33 after a pair that cancels: the sum is -2^46, a power
    # of two just above the chunk the cells filled.
    *off_rows([
        ("a sum of minus a power of two in a line", "-i p.dat --prec 17 -r -c s,a",
         "-70368744177664.000 -8587837951.8750305 \n\n"),
        ("a sum of minus a power of two in a column", "-i q.dat --prec 17 -r --col -c s,a",
         "-70368744177664.000 \n-8587837951.8750305 \n\n")],
        files={"p.dat": "2 -2" + " -8589934592" * 8192 + "\n",
               "q.dat": "2\n-2\n" + "-8589934592\n" * 8192}),
    # Results are ordinary cells for the operations around them.
    *off_rows([
        ("statistics after the filter see one file", "-i a.dat,b.dat -f 1,gt2 -c s",
         "4 5 9 18 \n7 8 1 16 \n\n"),
        ("the filter tests a result column", "-i a.dat,b.dat -c s -f 4,gt10",
         "4 5 9 18 \n7 8 1 16 \n\n"),
        ("selection keeps the joined result line", "-i a.dat,b.dat -j --col -c c -p 1,3",
         "1 3 \n4 9 \n7 1 \n3 3 \n")], files=dict(AB, **{"b.dat": "7 8 1\n"})),
]
