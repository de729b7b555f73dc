"""Nothing a user gives is lost or mislabelled: input names given as
separate words, sums that keep their digits, failed writes of the help and
version texts, and the and-filter whose first condition fails. Memory
running out is shown by tests/memory_exhausted.sh."""

from casekit import case, header, shell_case

OFF = "--comments off"
R = {"r%d.dat" % i: "# T = %d\n%d0 %d1\n" % (i, i, i) for i in (1, 3)}
FULL = "tabsift: cannot write standard output: No space left on device\n"
# More than the 128 KiB that Linux allows in one argument, as separate
# words: 1500 input files with names of 100 characters.
MANY = ["%s%04d.dat" % ("n" * 92, i) for i in range(1500)]

CASES = [
    # Every word that is no option nor an option's value is an input name,
    # after those of the -i list, in command-line order.
    case("words after the -i list follow its names in command-line order; a word "
         "holding a comma is one name; an unreadable word is reported",
         ["r3.dat", "-i", "r1.dat", "c,d.dat", "missing.dat", "-p", "T,1", "--comments", "off",
          "r1.dat"], files=dict(R, **{"c,d.dat": "# T = 4\n40 41\n"}),
         out="1 10 \n3 30 \n4 40 \n1 10 \n\n", rc=1,
         err="tabsift: cannot open input file 'missing.dat': No such file or directory\n"),
    case("words without -i, switches after -- too: the merge header lists them, "
         "stdin is not read", "-m a.dat -c s -- -c -- -m",
         files={"a.dat": "1 2\n", "-c": "3\n", "--": "4\n", "-m": "5\n"}, stdin="9\n",
         out=header("-m a.dat -c s -- -c -- -m") + "# Data from files: a.dat, -c, --, -m \n"
         "1 1 2 4 \n\n2 3 5 \n\n3 4 7 \n\n4 5 9 \n\n"),
    case("more than 128 KiB of input names as separate words",
         [MANY[0], "-j", "--col", "-c", "s,c"] + OFF.split() + MANY[1:],
         files={name: "%d\n" % i for i, name in enumerate(MANY)},
         out="".join("%d \n" % i for i in range(1500)) + "1.12425e+06 \n1500 \n"),
] + [
    # Sums and averages are kept wider than the cell and rounded once, in
    # line and in column mode.
    case("%s sums in %s mode keep their digits"
         % ("float" if flag else "double", "column" if mode else "line"),
         "%s -i d.dat %s -r -c s,a %s %s" % (flag, prec, mode, OFF),
         files={"d.dat": (" " if not mode else "\n").join(values) + "\n"},
         err="Using Float as data type\n" if flag else "",
         out=(" " if not mode else " \n").join(result) + " \n\n")
    for flag, values, prec, result in [
        ("--float", ["0.1"] * 1000, "", ["100", "0.1"]),
        ("", ["1e16", "1", "-1e16"], "--prec 17",
         ["1.0000000000000000", "0.33333333333333331"])]
    for mode in ("", "--col")
] + [
    # The help and version texts are written like any other output.
    shell_case("help or version to a failing standard output: " + run,
               "tabsift %s; echo status $? >&2" % run, err=err + "status 1\n")
    for run, err in [("-h > /dev/full", FULL),
                     ("-v >&-", "tabsift: cannot write standard output: "
                                "Bad file descriptor\n")]
] + [
    # Both conditions of an and-filter must hold.
    case("and-filter drops a line whose first condition fails",
         "-i f.dat -f 1,gt5,a,lt10 " + OFF, files={"f.dat": "3\n7\n12\n"},
         out="7 \n\n"),
]
