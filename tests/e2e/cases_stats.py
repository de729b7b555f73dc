"""Statistics appended by -c: the request grammar and its error, line mode,
column mode and joined column mode, the snapshot of one request, and the
arithmetic of each cell type."""

from casekit import case, off

WRONG = "Wrong calculate argument\n"
ABC = {"a.dat": "1 2 3\n4 5 9\n"}
ABC_B = dict(ABC, **{"b.dat": "7 8 1\n"})
INVALID = "Invalid value detected in data file: %d\n"
INT, FLOAT = "Using Integers as data type\n", "Using Float as data type\n"
TOO_LARGE = "tabsift: sum does not fit in an int cell; written as absent\n"


def line_case(name, request, data, out, extra="", err="", files=None):
    return off(name, "-i a.dat %s -c %s" % (extra, request), files=files or {"a.dat": data},
               out=out, err=err)


CASES = [
    # Line mode: one result per line and letter, in letter order; no letter
    # takes the results of an earlier one.
    line_case("sum then median, median without the sum", "s,m", None,
              "1 2 3 6 2 \n4 5 9 18 5 \n\n", files=ABC),
    line_case("all five in order", "a,s,m,d,c", None,
              "1 2 3 2 6 2 1 3 \n4 5 9 6 18 5 2.64575 3 \n\n", files=ABC),
    line_case("letters may repeat", "s,s", "1 2\n", "1 2 3 3 \n\n"),
    line_case("trailing comma accepted", "c,", "1 2\n", "1 2 2 \n\n"),
    line_case("absent cells are skipped", "m,a,c", "1 x 5\n", "1 -- 5 3 3 2 \n\n", err=INVALID % 1),
    line_case("line without values: count and sum 0, others absent", "c,s,a,m,d", "1 2\nx\n",
              "1 2 2 3 1.5 1.5 0.707107 \n-- -- 0 0 -- -- -- \n\n", err=INVALID % 1),
    line_case("one value: deviation is nan", "d", "7\n", "7 nan \n\n"),
    line_case("join flag plays no part in line mode", "s", None, "1 2 3 6 \n4 5 9 18 \n",
              extra="-j",
              files=ABC),
    off("each file gets its own results", "-i a.dat,b.dat -c c",
        files={"a.dat": "1 2\n", "b.dat": "3\n"}, out="1 2 2 \n\n3 1 \n\n"),

    # Column mode: one result line per file and letter, as wide as the file.
    off("column sums, absent column stays absent", "-i a.dat --col -c s",
        files={"a.dat": "1 x 3\n4 y 6\n"}, out="1 -- 3 \n4 -- 6 \n5 -- 9 \n\n",
        err=INVALID % 1 * 2),
    off("column lines in letter order, none from another", "-i a.dat --col -c a,s,m,c",
        files={"a.dat": "10 1\n30 2\n20 6\n"},
        out="10 1 \n30 2 \n20 6 \n20 3 \n60 9 \n20 2 \n3 3 \n\n"),
    off("files of different widths", "-i a.dat,b.dat --col -c s",
        files={"a.dat": "1 2\n3 4\n",
        "b.dat": "5\n6\n"}, out="1 2 \n3 4 \n4 6 \n\n5 \n6 \n11 \n\n"),
    off("column deviation and average", "-i a.dat --col -c a,d",
        files={"a.dat": "1 7\n2 x\n3 x\n4 x\n"},
        out="1 7 \n2 -- \n3 -- \n4 -- \n2.5 7 \n1.29099 nan \n\n", err=INVALID % 1 * 3),
    off("joined columns: one line at the end of the last file",
        "-i a.dat,b.dat,c.dat --col -j -c s,m",
        files={"a.dat": "1 2\n", "b.dat": "3 4\n5 x\n", "c.dat": "7 8\n"},
        out="1 2 \n3 4 \n5 -- \n7 8 \n16 14 \n4 4 \n", err=INVALID % 2),

    # The request grammar: nothing is written on a malformed request.
    *[case("malformed request %r" % request, ["-i", "a.dat", "-c", request], files=ABC, err=WRONG,
           rc=1) for request in [",s", "S", "s, a", "sa", "s,,a", "s,x", "sum", "a,,"]],
    case("malformed request writes no output file", "-i a.dat -o out.dat -c s,q", files=ABC,
         err=WRONG, rc=1, outfiles={"out.dat": None}),
    off("empty request changes nothing", ["-i", "a.dat", "-c", ""], files=ABC,
        out="1 2 3 \n4 5 9 \n\n"),

    # Arithmetic of the cell types.
    line_case("int average and deviation", "a,d", "10 20 30\n", "10 20 30 20 10 \n\n",
              extra="--int", err=None),
    line_case("int median truncates toward zero", "m", "-1 -2\n1 2\n", "-1 -2 -1 \n1 2 1 \n\n",
              extra="--int", err=None),
    line_case("int totals are exact", "a,m", "2000000000 2000000000\n",
              "2000000000 2000000000 2000000000 2000000000 \n\n", extra="--int", err=None),
    off("int sum beyond 32 bits is absent, with one line", "-i a.dat --int --col -c s,c",
        files={"a.dat": "2000000000 1\n2000000000 2\n"},
        out="2000000000 1 \n2000000000 2 \n-- 3 \n2 2 \n\n", err=INT + TOO_LARGE),
    off("int deviation of one value is absent", "-i a.dat --int -c d", files={"a.dat": "5\n"},
        out="5 -- \n\n", err=INT),
    line_case("deviation without cancellation", "d",
              "1000000001 1000000002 1000000003 1000000004\n",
              "1e+09 1e+09 1e+09 1e+09 1.29099 \n\n"),
    line_case("deviation of equal values is 0", "d", "0.1 0.1 0.1\n3 3 3\n",
              "0.1 0.1 0.1 0 \n3 3 3 0 \n\n"),
    off("float sum is kept in double, in order", "-i a.dat --float --prec 9 -c s",
        files={"a.dat": "1e17 1 -1e17\n1e17 -1e17 1\n"},
        out="9.99999984e+16 1.00000000 -9.99999984e+16 0.00000000 \n"
            "9.99999984e+16 -9.99999984e+16 1.00000000 1.00000000 \n\n", err=FLOAT),
    # Results are ordinary cells for the operations around them.
    off("statistics after the filter see one file", "-i a.dat,b.dat -f 1,gt2 -c s", files=ABC_B,
        out="4 5 9 18 \n7 8 1 16 \n\n"),
    off("the filter tests a result column", "-i a.dat,b.dat -c s -f 4,gt10", files=ABC_B,
        out="4 5 9 18 \n7 8 1 16 \n\n"),
    off("selection keeps the joined result line", "-i a.dat,b.dat -j --col -c c -p 1,3",
        files=ABC_B, out="1 3 \n4 9 \n7 1 \n3 3 \n"),
    line_case("nan sorts after every number", "m", "nan 1 2\nnan 1\n3 nan 1 2\n",
              "nan 1 2 -- 2 \nnan 1 -- -- nan \n3 nan 1 2 2.5 \n\n"),
]
