"""Writing results: layout, number formats, comment blocks, run header,
routing, the prompt, and output that cannot be written."""

from casekit import EPOCH_DATE_LINE, case, header, off, shell_case

PROMPT = ("\nWARNING!!!Output and input file lists doesnt match to any standard "
          "pattern \nYou have three options:\n1. Print all to standard output.\n"
          "2. Print all to first file on the output file list.\n\n"
          "0. Exit without saving.\n(select 1, 2 or 0): ")

AB = {"a.dat": "# first\n# T = 300\n1 2\n3\n", "b.dat": "5 6 7\n", "e.dat": "# only a comment\n"}
A_TABLE = "1 2 \n3 -- \n"
B_TABLE = "5 6 7 \n"
BOTH = A_TABLE + "\n" + B_TABLE + "\n"
BAD = "Invalid value detected in data file: 1\n"
FILES = "# Data from files: a.dat, b.dat \n"
NO_ANSWER = ("tabsift: no answer 0, 1 or 2 to the output question before the end of input; "
             "nothing written\n")


def both(args):
    return "-i a.dat,b.dat " + args


def cannot_write(name, reason="No such file or directory"):
    return "tabsift: cannot write output file '%s': %s\n" % (name, reason)


CASES = [
    *[case(name, args, out=header(args) + out, files=AB) for name, args, out in [
        ("default run header and tables", both(""), BOTH),
        ("empty blank text, an empty word in the header", both("-b ''"), "1 2 \n3  \n\n5 6 7 \n\n"),
        ("joined inputs: one comment block on top, no empty lines", both("-j --comments 1"),
         "# first\n\r\n\n1 2 -- \n3 -- -- \n5 6 7 \n"),
        ("joined merged inputs: file list, then every comment line", both("-j -m --comments all"),
         FILES + "# first\n# T = 300\n\r\n\n1 1 2 -- \n1 3 -- -- \n2 5 6 7 \n"),
        ("merged inputs: the file list comes before the first comment block",
         both("-m --comments all"),
         FILES + "# first\n# T = 300\n1 1 2 \n1 3 -- \n\n\r\n\n2 5 6 7 \n\n"),
        ("an empty input still gets the joined comment block", "-i e.dat -j --comments all",
         "# only a comment\n"),
        ("inputs without data put every comment block before the first table",
         "-i e.dat,a.dat --comments 1", "# only a comment\n# first\n" + A_TABLE + "\n")]],
    case("an empty input writes no comment block in the ordinary layout", "-i e.dat", files=AB),
    case("merged standard input lists no file", "-m", stdin="4\n", err="read from stdin\n",
         out=header("-m") + "# Data from files: \n1 4 \n\n"),
    *[case(f"comment mode {mode!r} is refused", ["-i", "a.dat", "--comments", mode], files=AB,
           err="Wrong comments argument\n", rc=1) for mode in ["Off", "ALL", "0", "2", ""]],
    off("tab separator and blank text", both("--tab -b NA"), files=AB,
        out="1\t2\t\n3\tNA\t\n\n5\t6\t7\t\n\n"),
] + [
    # A newline in a word: the header line shows it as "\\n".
    case("newline in the blank text", ["-i", "a.dat", "-b", "x\ny", "-p", "1,2"], files=AB,
         out="#tabsift -i a.dat -b x\\ny -p 1,2 \n" + EPOCH_DATE_LINE + "1 2 \n3 x\ny \n\n"),
    case("newline and backslashes in merged input names",
         ["-m", "-i", "b.dat,n\\n\nl\\", "--comments", "1", "-p", "3"],
         files=dict(AB, **{"n\\n\nl\\": "# n\n8\n"}),
         out="#tabsift -m -i b.dat,n\\\\n\\nl\\ --comments 1 -p 3 \n" + EPOCH_DATE_LINE
         + "# Data from files: b.dat, n\\\\n\\nl\\ \n\r\n\n# n\n6 \n-- \n\n"),
] + [
    # The date line: SOURCE_DATE_EPOCH in UTC whatever TZ says.
    case("SOURCE_DATE_EPOCH %s sets the date line, TZ %s" % (epoch, tz), "-i b.dat", files=AB,
         env={"SOURCE_DATE_EPOCH": epoch, "TZ": tz},
         out=header("-i b.dat", "#%s\n\n" % date) + B_TABLE + "\n")
    for epoch, tz, date in [("-86400", "UTC", "Wed Dec 31 00:00:00 1969"),
                            ("253402300800", "XYZ+11", "Sat Jan  1 00:00:00 10000")]
] + [
    shell_case("diagnostics come before the output question and the table",
               "tabsift --int -i bad.dat,b.dat --comments off 2>&1; "
               "tabsift -i bad.dat,b.dat -o x --comments off 2>&1 </dev/null; "
               "yes x | head -n 30000 > many.dat; "
               "tabsift -i many.dat,b.dat --comments off 2>&1 | uniq -c | sed 's/^ *//'",
               files=dict(AB, **{"bad.dat": "1 x\n"}),
               out="Using Integers as data type\n" + BAD + "1 -- \n\n" + B_TABLE + "\n"
                   + BAD + PROMPT + "1 -- \n\n" + B_TABLE + "\n"
                   + "30000 " + BAD + "30000 -- \n1 \n1 " + B_TABLE + "1 \n"),
    off("float cells are written widened to double", "--float -i n.dat --prec 10",
        files={"n.dat": "0.1\n"}, err="Using Float as data type\n", out="0.1000000015 \n\n"),
    off("int cells ignore the precision", "--int -i n.dat --prec 4", files={"n.dat": "7 -12\n"},
        err="Using Integers as data type\n", out="7 -12 \n\n"),
    off("a precision far beyond a double's digits", "-i n.dat --prec 100000",
        files={"n.dat": "0.5 -3e-300\n"}, out="%#.100000g %#.100000g \n\n" % (0.5, -3e-300)),

    # Routing.
    off("one output file for joined inputs", both("-o o.txt -j"), files=AB,
        outfiles={"o.txt": "1 2 -- \n3 -- -- \n5 6 7 \n"}),
    off("one output file for merged inputs", both("-o o.txt -m"), files=AB,
        outfiles={"o.txt": "1 1 2 \n1 3 -- \n\n2 5 6 7 \n\n"}),
    case("an output file for no table is still truncated", "-i e.dat -o o.txt",
         files={"e.dat": "", "o.txt": "old"}, outfiles={"o.txt": ""}),

    # The prompt, when the lists fit no pattern.
    off("prompt: any other integer or any other line asks again",
        "-i a.dat,b.dat,b.dat -o x,y", files=AB,
        stdin="5\nthree 1\n4294967297\n0.9\n2.5\n1x\n 1 \n",
        out=PROMPT * 7 + BOTH + B_TABLE + "\n", outfiles={"x": None, "y": None}),
    *[off("prompt: " + name, both("-o o.txt"), files=AB, stdin=stdin, out=out, rc=rc, err=err,
          outfiles={"o.txt": None}) for name, stdin, out, rc, err in [
        ("0 writes nothing", "0\n", PROMPT, 0, ""),
        ("input ending at once means standard output", "", PROMPT + BOTH, 0, ""),
        ("input ending after a wrong answer fails", "4294967297", PROMPT * 2, 1, NO_ANSWER)]],
    off("prompt: data from standard input answers it at once", "-o o.txt", stdin="1 2\n",
        err="read from stdin\n", out=PROMPT + "1 2 \n\n", outfiles={"o.txt": None}),

    # Output that cannot be written.
    off("output files that cannot be made or written; the others are still written",
        "-i a.dat,b.dat,b.dat,b.dat -o no/x.txt,,/dev/full,y.txt", files=AB, rc=1,
        err=cannot_write("no/x.txt") + cannot_write("")
        + cannot_write("/dev/full", "No space left on device"), outfiles={"y.txt": B_TABLE}),
]
