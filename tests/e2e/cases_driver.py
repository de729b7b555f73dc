"""The command line: help, version, cell-type notices, parse errors, the
replay of operation switches in command-line order, input names given as
separate words, sums that keep their digits, and the and-filter whose first
condition fails. Memory running out: tests/memory_exhausted.sh."""

from casekit import case, header, off

# Lines ending in blanks are marked with a "$" after the last blank.
HELP = """
usage: ./program [OPTION <arg1,arg2,...>] ...

Available options:

Options without arguments:
  -h [ --help ]              Standard help
  --tab                      Separate values with tabulators instead of spaces
  -v [ --version ]           Display version
  --float                    Use float as data type
  --int                      Use int as data type
  -j [ --join ]              Join input
  -m [ --merge ]             Merge all data
  --col                      Calculation in columns instead in lines
  -r [ --results ]           Keep only the results of calculations

Options with arguments:
  -i [ --input-files ] arg   Give the names of files separated by ','
                             $
  -o [ --output-files ] arg  Specifies otupt files names separated by ','. $
                             Without this option all will be printed to $
                             standard output
                             $
  -f [ --filter ] arg        Use this option to select values.
                              For example '-f 1,gt2,0,1,2'
  -t [ --tolerance ] arg     Tolerance of comparisons used in filter for $
                             example: '-t 1e-10'
                             $
  -c [ --calculate ] arg     Argument: s - sum, a - average, m - median, $
                              d - standard deviation (sample standard $
                             deviation)
                              c - count, l - lowest, h - highest, $
                              e - standard error of the average For example: $
                             '-c a,s,m,c'
                             $
  -g [ --group ] arg         Use this option to group lines by values in $
                             specific column or by order in files. $
                              For example: '-g 2', '-g f'
                             $
  -p [ --print ] arg         Print only selected columns/parameters for $
                             example:
                              '-p 1,2,E' where E is name of parameter
                             $
  -s [ --swap ] arg          Swaps two columns in selected file: - s 1,2,3 $
                             means swap first and second column in third file
                             $
  --comments arg             Argument: off/all/1
                             $
  --prec arg                 Sets printing precision of all values
                              e.g. '--prec 10'
                             $
  -b [ --blanks ] arg        Set string displayed in place of missing values

For more info type 'man tabsift'.
""".replace("$\n", "\n")

A = {"a.dat": "1 2\n3 4\n"}
K = {"k.dat": "1 10\n2 20\n1 30\n"}
INT, FLOAT, V = "Using Integers as data type\n", "Using Float as data type\n", "version 1.1\n"
OFF = "--comments off"
R = {"r%d.dat" % i: "# T = %d\n%d0 %d1\n" % (i, i, i) for i in (1, 3)}
# More than the 128 KiB that Linux allows in one argument, as separate
# words: 1500 input files with names of 100 characters.
MANY = ["%s%04d.dat" % ("n" * 92, i) for i in range(1500)]

CASES = [
    # Help wins over version and reads nothing; the type notice comes first.
    case("no arguments prints help", [], out=HELP),
    *[case("help and version: " + args, args, out=out, err=err) for args, out, err in [
        ("-h", HELP, ""), ("--help", HELP, ""), ("-v -h", HELP, ""), ("-h -i no -c s", HELP, ""),
        ("--int -h", HELP, INT), ("-v", V, ""), ("--version", V, ""), ("--float -v", V, FLOAT),
        ("--int --float -v", V, INT)]],
] + [
    # Parse errors: status 255, nothing else happens.
    case("parse error: " + args, args, files=A, rc=255,
         err="Error while parsing command-line: " + message + "\n")
    for args, message in [
        ("--foo", "unrecognised option '--foo'"),
        ("-c", "the required argument for option '--calculate' is missing"),
        ("--prec 2.5", "the argument ('2.5') for option '--prec' is invalid"),
        ("-t abc", "the argument ('abc') for option '--tolerance' is invalid"),
        ("-i a.dat -c s -c a", "option '--calculate' cannot be specified more than once"),
        # A switch word is not taken as an argument.
        ("-i a.dat -b -c", "the required argument for option '--blanks' is missing"),
    ]
] + [
    # Operations replay in the order of their short switches, after every
    # setting, whatever order the settings stand in.
    off("group before filter", "-i k.dat -g 2 -f 1,gt1", files=K, out="10 1 \n20 2 \n30 1 \n\n"),
    # Both conditions of an and-filter must hold.
    off("and-filter before group", "-i k.dat -f 1,gt1,a,lt3 -g 2", files=K, out="20 2 \n\n"),
    case("settings in long form take effect, operations in long form do not",
         "--filter=1,gt1 -i k.dat --comments=off --tab --blanks NA --col -c s",
         files=K, out="1\t10\t\n2\t20\t\n1\t30\t\n4\t60\t\n\n"),
] + [
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
         err=FLOAT if flag else "",
         out=(" " if not mode else " \n").join(result) + " \n\n")
    for flag, values, prec, result in [
        ("--float", ["0.1"] * 1000, "", ["100", "0.1"]),
        ("", ["1e16", "1", "-1e16"], "--prec 17",
         ["1.0000000000000000", "0.33333333333333331"])]
    for mode in ("", "--col")
]
