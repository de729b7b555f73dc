"""Percentiles (pN) and the blocked standard error (b) as requests see them:
every scope and cell type, results as cells for later operations, the
items refused; b's scopes too short to block. Line statistics of a merged
run leave out the file numbers wherever the operations moved them, while
column statistics take them. -r with a request of no statistic is refused
before any output. The sign of NaN results, and lowest and highest among
zeros of both signs, in either order. (The values of pN and b in bulk are
tests/stats_differential.py's and tests/blocking_test.py's.)"""

from casekit import case, off, off_rows

OFF = "--comments off"
WRONG = "Wrong calculate argument\n"
EMPTY_WITH_R = "Wrong calculate argument: -r needs at least one statistic\n"
SHORT = "tabsift: blocked standard error: too few values to block; written as absent\n"
INT = "Using Integers as data type\n"
FLOAT = "Using Float as data type\n"
INVALID = "Invalid value detected in data file: 1\n"
INVALID2 = "Invalid value detected in data file: 2\n"
# Two runs with their parameter T; the file numbers of a merge come first.
RUNS = {"a.dat": "# T = 300\n1 2\n3 4\n", "b.dat": "# T = 350\n5 6\n7 8\n"}


def alternating(n):
    return "".join("%d\n" % (k % 2) for k in range(n))


CASES = [
    # h = (n - 1) N / 100 between the closest ranks; p50 is the median.
    *off_rows([
        ("line mode: quartiles, median, p50, one value, no value",
         "-i d.dat -c p25,p75,m,p50,p0,p100",
         "3 1 2 4 1.75 3.25 2.5 2.5 1 4 \n-- 5 -- -- 5 5 5 5 5 5 \n"
         "-- -- -- -- -- -- -- -- -- -- \n\n"),
        ("int columns: truncated toward zero; results only",
         "--int -i i.dat -r --col -c p90,p10,p37.5", "-1 3 \n-3 1 \n-2 2 \n\n", INT),
        ("float columns joined over two files; decimals of N",
         "--float -i d.dat,e.dat -j --col -r -c p2.5,p99.9",
         "3.175 1.1 -0.925 6.4 \n9.993 4.996 1.997 99.904 \n", FLOAT + INVALID * 7 + INVALID2),
        ("percentiles are cells for the filter after them", "-i d.dat,e.dat -c p50 -f 5,ge5",
         "-- 5 -- -- 5 \n10 -- -1 100 10 \n\n", INVALID * 7 + INVALID2)],
        files={"d.dat": "3 1 2 4\n-- 5 -- --\n-- -- -- --\n", "e.dat": "10 -- -1 100\n",
               "i.dat": "-1 1\n-4 4\n"},
        err=INVALID * 7),
    *[case("percentile item %r refused" % item, ["-i", "a.dat", "-o", "out.dat", "-c", "s," + item],
           files=RUNS, err=WRONG, rc=1, outfiles={"out.dat": None})
      for item in ["p", "p-1", "p101", "p100.01", "p1e2", "px", "p5.", "p.5", "p5x", "p 5", "p+5",
                   "P5", "b1", "p5,,"]],

    # b: too short to block gives an absent cell and one message per request
    # item. Alternating values average to one value at level 1, which counts
    # from 16 blocks on; 16 equal values are long enough at level 0.
    off("b: short lines absent, with one message", "-i a.dat -c b,e", files=RUNS,
        out="1 2 -- 0.5 \n3 4 -- 0.5 \n\n", err=SHORT),
    off("b: 30 alternating values, int cells", "--int -r --col -c b,b", stdin=alternating(30),
        out="-- \n-- \n\n", err=INT + "read from stdin\n" + SHORT * 2),
    off("b: 32 alternating values, int cells", "--int -r --col -c b", stdin=alternating(32),
        out="0 \n\n", err=INT + "read from stdin\n"),
    *[off("b: %d equal values" % n, "-r --col -c b", stdin="2.5\n" * n, out=out,
          err="read from stdin\n" + err) for n, out, err in [(15, "-- \n\n", SHORT),
                                                              (16, "0 \n\n", "")]],

    # Line statistics of a merged run skip the file numbers; with -r the
    # numbers stay in front of the results. Column statistics take them.
    *off_rows([
        ("merge, line sums and counts", "-i a.dat,b.dat -m -c s,c,p50",
         "1 1 2 3 2 1.5 \n1 3 4 7 2 3.5 \n\n2 5 6 11 2 5.5 \n2 7 8 15 2 7.5 \n\n"),
        ("merge, joined lines, results only", "-i a.dat,b.dat -m -j -r -c a",
         "1 1.5 \n1 3.5 \n2 5.5 \n2 7.5 \n"),
        ("merge, column statistics take the file numbers", "-i a.dat,b.dat -m -j -r --col -c s,a",
         "6 16 20 \n1.5 4 5 \n"),
        ("merge, swap in every file", "-i a.dat,b.dat -m -s 1,3 -c s",
         "2 1 1 3 \n4 3 1 7 \n\n6 5 2 11 \n8 7 2 15 \n\n"),
        ("merge, swap in one file: the numbers become data", "-i a.dat,b.dat -m -s 1,2,1 -c s",
         "1 1 2 4 \n3 1 4 8 \n\n2 5 6 13 \n2 7 8 17 \n\n"),
        ("merge, the filter lists the file number second", "-i a.dat,b.dat -m -f 2,gt2,0,3,1,2 -c s",
         "4 1 3 7 \n6 2 5 11 \n8 2 7 15 \n\n"),
        ("merge, selection with a parameter", "-i a.dat,b.dat -m -p T,1,3 -c s",
         "300 1 2 302 \n300 1 4 304 \n350 2 6 356 \n350 2 8 358 \n\n"),
        ("merge, grouped by the file number", "-i a.dat,b.dat -m -g 1 -c s",
         "1 1 2 3 4 10 \n2 5 6 7 8 26 \n\n"),
        ("merge, grouped by a data column", "-i a.dat,c.dat -m -g 2 -c s,c",
         "1 1 2 2 2 5 3 \n3 1 4 -- -- 7 2 \n\n"),
        ("merge, swap, then grouped by the data column before the numbers",
         "-i a.dat,c.dat -m -s 1,3 -g 1 -c s", "2 1 1 1 2 4 \n4 3 1 -- -- 7 \n\n"),
        ("merge, grouped by a data column, results only", "-i a.dat,c.dat -m -g 2 -r -c s",
         "1 2 5 \n1 7 \n\n"),
        ("merge, files side by side", "-i a.dat,b.dat -m -g f -c s",
         "1 1 2 2 5 6 14 \n1 3 4 2 7 8 22 \n\n"),
        ("merge, files of unequal length side by side: the numbers become data",
         "-i a.dat,c.dat -m -g f -c s", "1 1 2 2 1 2 9 \n1 3 4 8 \n\n")],
        files=dict(RUNS, **{"c.dat": "1 2\n"})),

    # -r keeps only results, so a request of none is refused before any
    # output, in any form of the option.
    *[case("results only with an empty request: " + " ".join(args),
           ["-i", "a.dat", "-o", "out.dat"] + args, files=RUNS, err=EMPTY_WITH_R, rc=1,
           outfiles={"out.dat": None}) for args in (["-r", "-c", ""], ["-c=", "-r"])],

    # NaN results carry no sign but in a sum or an average, which keep the
    # first NaN's; the order of -0 and +0 does not move the lowest or highest.
    *off_rows([
        ("NaN signs, line mode", "-i n.dat -r -c s,a,d,e,m,p50,l,h",
         "-nan -nan nan nan nan nan nan nan \nnan nan nan nan nan nan nan nan \n"
         "-inf -inf nan nan -inf -inf -inf 5 \nnan nan nan nan nan nan -inf inf \n\n"),
        ("zeros of both signs, line mode", "-i z.dat -r -c l,h", "-0 0 \n-0 0 \n\n"),
        ("zeros of both signs, columns", "-i z.dat -r --col -c l,h", "-0 -0 \n0 0 \n\n"),
        ("zeros of both signs, float columns", "--float -i z.dat -r --col -c l,h,p0,p100",
         "-0 -0 \n0 0 \n-0 -0 \n0 0 \n\n", FLOAT)],
        files={"n.dat": "-nan 1 nan\nnan 1 -nan\n-inf 5 -inf\n-inf inf\n", "z.dat": "0 -0\n-0 0\n"}),
]
