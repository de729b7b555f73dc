"""The command line: help, version, parse errors, operations in command-line
order whatever their form, input names as separate words."""

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
  --decimal-comma            Read a comma in numbers as the decimal point
  -r [ --results ]           Keep only the results of calculations
  --header                   Name the columns by each input's line of names

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
                              pN - percentile, quartiles p25,p75; b - blocked e
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
  -d [ --delimiter ] arg     Cells separated by ',', ';', '|', ':' or 'tab'

For more info type 'man tabsift'.
""".replace("$\n", "\n")

A = {"a.dat": "1 2\n3 4\n"}
K = {"k.dat": "1 10\n2 20\n1 30\n"}
D = {"d.dat": "3 30 300\n1 10 100\n2 20 200\n1 40 400\n"}
INT, FLOAT, V = "Using Integers as data type\n", "Using Float as data type\n", "version 1.1\n"
OFF = "--comments off"
R = {"r%d.dat" % i: "# T = %d\n%d0 %d1\n" % (i, i, i) for i in (1, 3)}
# More than the 128 KiB that Linux allows in one argument.
MANY = ["%s%04d.dat" % ("n" * 92, i) for i in range(1500)]

CASES = [
    case("no arguments prints help", [], out=HELP),
    *[case("help and version: " + args, args, out=out, err=err) for args, out, err in [
        ("-h", HELP, ""), ("--help", HELP, ""), ("-v -h", HELP, ""), ("-h -i no -c s", HELP, ""),
        ("--int -h", HELP, INT), ("-v", V, ""), ("--version", V, ""), ("--float -v", V, FLOAT),
        ("--int --float -v", V, INT)]],
] + [
    case("parse error: " + args, args, files=A, rc=255,
         err="Error while parsing command-line: " + message + "\n")
    for args, message in [
        ("--foo", "unrecognised option '--foo'"),
        ("-c", "the required argument for option '--calculate' is missing"),
        ("--prec 2.5", "the argument ('2.5') for option '--prec' is invalid"),
        ("-t abc", "the argument ('abc') for option '--tolerance' is invalid"),
        # The same operation twice, in any mix of forms.
        *[("-i a.dat " + args, "option '--%s' cannot be specified more than once" % long)
          for long, args in [("calculate", "-c s -c a"), ("calculate", "-cs --calculate a"),
                             ("filter", "--filter 1,gt0 -f1,gt1"), ("group", "-jg1 --group=2"),
                             ("print", "--print=1 -p=2"), ("swap", "-s1,2 -ms 2,1")]],
        # A switch word is not taken as an argument, nor a long option, whole,
        # shortened or with a value.
        ("-i a.dat -b -c", "the required argument for option '--blanks' is missing"),
        ("-i a.dat -b --col", "the required argument for option '--blanks' is missing"),
        ("-i a.dat -o --res", "the required argument for option '--output-files' is missing"),
        ("-i a.dat --blanks --prec=3", "the required argument for option '--blanks' is missing"),
        ("-i a.dat -c --co", "the required argument for option '--calculate' is missing"),
    ]
] + [
    case("settings and operations in long form take effect",
         "--filter=1,gt1 -i k.dat --comments=off --tab --blanks NA --col -c s",
         files=K, out="2\t20\t\n2\t20\t\n\n"),
    off("a value attached to a short option by = is the text after it, and no option itself",
        "-i a.dat -b=-c -p=1,3 --output-files==o", files=A, outfiles={"=o": "1 -c \n3 -c \n\n"}),
    off("a long option attached by =, or a word no option names, is a value",
        "-i a.dat -b=--col -p 1,3 -o --x", files=A, outfiles={"--x": "1 --col \n3 --col \n\n"}),
] + [
    # Each operation between two whose results show where it ran.
    off("%s as %s" % (letter, form.format(x=letter, long=long, v=value)),
        "-i d.dat " + order.format(form.format(x=letter, long=long, v=value)),
        files=D, out=out[:-1] if form.startswith("-j") else out)
    for letter, long, value, order, out in [
        ("c", "calculate", "s", "-f 1,gt1 {} -p 4", "333 \n222 \n\n"),
        ("f", "filter", "1,gt15", "-s 1,2 {} -c c", "30 3 300 3 \n20 2 200 3 \n40 1 400 3 \n\n"),
        ("g", "group", "1", "-p 1,2 {} -c s", "1 10 40 51 \n2 20 -- 22 \n3 30 -- 33 \n\n"),
        ("p", "print", "4,1", "-c c {} -s 1,2", "3 3 \n1 3 \n2 3 \n1 3 \n\n"),
        ("s", "swap", "1,3", "-g 1 {} -f 1,gt150", "200 20 2 -- -- \n300 30 3 -- -- \n\n")]
    for form in ["-{x} {v}", "-{x}{v}", "-{x}={v}", "-j{x} {v}", "-j{x}{v}", "-j{x}={v}",
                 "--{long} {v}", "--{long}={v}"]
] + [
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
         "1 1 2 3 \n\n2 3 3 \n\n3 4 4 \n\n4 5 5 \n\n"),
    case("more than 128 KiB of input names as separate words",
         [MANY[0], "-j", "--col", "-c", "s,c"] + OFF.split() + MANY[1:],
         files={name: "%d\n" % i for i, name in enumerate(MANY)},
         out="".join("%d \n" % i for i in range(1500)) + "1.12425e+06 \n1500 \n"),
]
