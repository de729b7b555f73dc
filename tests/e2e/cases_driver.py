"""The command line: help, version, cell-type notices, parse errors, the
replay of operation switches in command-line order."""

from casekit import case, off

HELP = (
    '\n'
    'usage: ./program [OPTION <arg1,arg2,...>] ...\n'
    '\n'
    'Available options:\n'
    '\n'
    'Options without arguments:\n'
    '  -h [ --help ]              Standard help\n'
    '  --tab                      Separate values with tabulators instead of spaces\n'
    '  -v [ --version ]           Display version\n'
    '  --float                    Use float as data type\n'
    '  --int                      Use int as data type\n'
    '  -j [ --join ]              Join input\n'
    '  -m [ --merge ]             Merge all data\n'
    '  --col                      Calculation in columns instead in lines\n'
    '  -r [ --results ]           Keep only the results of calculations\n'
    '\n'
    'Options with arguments:\n'
    "  -i [ --input-files ] arg   Give the names of files separated by ','\n"
    '                             \n'
    "  -o [ --output-files ] arg  Specifies otupt files names separated by ','. \n"
    '                             Without this option all will be printed to \n'
    '                             standard output\n'
    '                             \n'
    '  -f [ --filter ] arg        Use this option to select values.\n'
    "                              For example '-f 1,gt2,0,1,2'\n"
    '  -t [ --tolerance ] arg     Tolerance of comparisons used in filter for \n'
    "                             example: '-t 1e-10'\n"
    '                             \n'
    '  -c [ --calculate ] arg     Argument: s - sum, a - average, m - median, \n'
    '                              d - standard deviation (sample standard \n'
    '                             deviation)\n'
    "                              c - count For example: '-c a,s,m,c'\n"
    '                             \n'
    '  -g [ --group ] arg         Use this option to group lines by values in \n'
    '                             specific column or by order in files. \n'
    "                              For example: '-g 2', '-g f'\n"
    '                             \n'
    '  -p [ --print ] arg         Print only selected columns/parameters for \n'
    '                             example:\n'
    "                              '-p 1,2,E' where E is name of parameter\n"
    '                             \n'
    '  -s [ --swap ] arg          Swaps two columns in selected file: - s 1,2,3 \n'
    '                             means swap first and second column in third file\n'
    '                             \n'
    '  --comments arg             Argument: off/all/1\n'
    '                             \n'
    '  --prec arg                 Sets printing precision of all values\n'
    "                              e.g. '--prec 10'\n"
    '                             \n'
    '  -b [ --blanks ] arg        Set string displayed in place of missing values\n'
    '\n'
    "For more info type 'man tabsift'.\n"
)

A = {"a.dat": "1 2\n3 4\n"}
K = {"k.dat": "1 10\n2 20\n1 30\n"}
TWICE = "option '--calculate' cannot be specified more than once"
INT, FLOAT, V = "Using Integers as data type\n", "Using Float as data type\n", "version 1.1\n"

CASES = [
    # Help wins over version and reads nothing; the type notice comes first.
    case("no arguments prints help", [], out=HELP),
    *[case(f"help: {args}", args, out=HELP) for args in ["-h", "--help", "-v -h", "-h -i no -c s"]],
    case("help with int", "--int -h", out=HELP, err=INT),
    *[case(f"version: {args}", args, out=V) for args in ["-v", "--version"]],
    case("version with float", "--float -v", out=V, err=FLOAT),
    case("int wins over float", "--int --float -v", out=V, err=INT),
] + [
    # Parse errors: status 255, nothing else happens.
    case("parse error: " + args, args, files=A, rc=255,
         err="Error while parsing command-line: " + message + "\n")
    for args, message in [
        ("--foo", "unrecognised option '--foo'"),
        ("-x", "unrecognised option '-x'"),
        ("-c", "the required argument for option '--calculate' is missing"),
        ("--prec 2.5", "the argument ('2.5') for option '--prec' is invalid"),
        ("-t abc", "the argument ('abc') for option '--tolerance' is invalid"),
        ("-i a.dat -c s -c a", TWICE),
        ("-i a.dat --calculate=s -c a", TWICE),
        # A switch word is not taken as an argument.
        ("-i a.dat -b -c", "the required argument for option '--blanks' is missing"),
    ]
] + [
    # Operations replay in the order of their short switches, after every
    # setting, whatever order the settings stand in.
    off("group before filter", "-i k.dat -g 2 -f 1,gt1", files=K, out="10 1 \n20 2 \n30 1 \n\n"),
    off("filter before group", "-i k.dat -f 1,gt1 -g 2", files=K, out="20 2 \n\n"),
    case("settings in long form take effect, operations in long form do not",
         "--filter=1,gt1 -i k.dat --comments=off --tab --blanks NA --col -c s",
         files=K, out="1\t10\t\n2\t20\t\n1\t30\t\n4\t60\t\n\n"),
]
