"""Statistics appended by -c: the request grammar and its error, the order
of the letters, the snapshot of one request, results as ordinary cells for
the operations around them, and the messages of int results too large. The
values, in every mode and cell type, are tests/stats_differential.py's."""

from casekit import case, off, off_rows

WRONG = "Wrong calculate argument\n"
ABC = {"a.dat": "1 2 3\n4 5 9\n"}
ABC_B = dict(ABC, **{"b.dat": "7 8 1\n"})
INT = "Using Integers as data type\n"
TOO_LARGE = "tabsift: %s does not fit in an int cell; written as absent\n"
INT_EXTREMES = "2147483647 2147483647 2147483647 \n" * 2 + "-2147483648 1 1 \n"

CASES = [
    # Letters run in request order, may repeat, and none takes the results
    # of an earlier one; a trailing comma ends the request.
    *off_rows([
        ("letters in request order, repeated, then a comma", "-i a.dat -c a,s,m,d,c,s,",
         "1 2 3 2 6 2 1 3 6 \n4 5 9 6 18 5 2.64575 3 18 \n\n"),
        ("empty request changes nothing", ["-i", "a.dat", "-c", ""], "1 2 3 \n4 5 9 \n\n")],
        files=ABC),
    # The request grammar: nothing is written on a malformed request.
    *[case("malformed request %r" % request, ["-i", "a.dat", "-c", request], files=ABC, err=WRONG,
           rc=1) for request in [",s", ",", "S", "s, a", " s", "sa", "s,,a", "s,,", "s,x", "sum",
                                 "1"]],
    case("malformed request writes no output file", "-i a.dat -o out.dat -c s,q", files=ABC,
         err=WRONG, rc=1, outfiles={"out.dat": None}),

    # int results beyond 32 bits are absent, with one message per statistic.
    off("int results too large", "-i a.dat --int --col -c s,a,m,d", files={"a.dat": INT_EXTREMES},
        out=INT_EXTREMES + "2147483646 -- -- \n715827882 1431655765 1431655765 \n"
        + "2147483647 " * 3 + "\n-- 1239850261 1239850261 \n\n",
        err=INT + TOO_LARGE % "sum" + TOO_LARGE % "standard deviation"),
    # Results are ordinary cells for the operations around them.
    *off_rows([
        ("statistics after the filter see one file", "-i a.dat,b.dat -f 1,gt2 -c s",
         "4 5 9 18 \n7 8 1 16 \n\n"),
        ("the filter tests a result column", "-i a.dat,b.dat -c s -f 4,gt10",
         "4 5 9 18 \n7 8 1 16 \n\n"),
        ("selection keeps the joined result line", "-i a.dat,b.dat -j --col -c c -p 1,3",
         "1 3 \n4 9 \n7 1 \n3 3 \n")], files=ABC_B),
]
