"""Tables as other programs write them: cells separated by one chosen byte
(CSV and the like), decimal commas, Fortran's exponents; the note on a token
read only in part; "-" for the standard streams."""

from casekit import case, off, off_rows

STDIN = "read from stdin\n"


def bad(position, times=1):
    return "Invalid value detected in data file: {}\n".format(position) * times


def partial(input_label, line, token, value, hint=""):
    return "tabsift: {}, line {}: token '{}' read only in part, as {}{}\n".format(
        input_label, line, token, value, hint)


COMMA_HINT = "; give -d ',' if ',' separates the cells, --decimal-comma if ',' is the decimal point"
DECIMAL_HINT = "; give --decimal-comma if ',' is the decimal point"

# Quotes (a delimiter and a doubled quote inside), empty fields, blanks
# around fields, CR LF ends, a comment and a blank line between data lines.
CSV = {"q.csv": '# run 7\r\n1.5, "2,5" ,3\r\n\r\n,"-4",\r\n"""7""", x ,  9.25e1 \r\n'}
# A European spreadsheet's export: ";" between cells, decimal commas, also
# in the parameters of the comment lines.
EURO = {"e.csv": "# T = 1,5 dt = 0,002\n1,5;-2,25;3\n4;5,0D-1;0,14-270\n"}
# Fortran's exponents, one per line, with their cells, then tokens whose
# reading must not change: too many exponent digits, no point in the
# mantissa, text after the exponent, hexadecimal digits, an E exponent, an
# exponent letter without digits, no decimal mantissa.
FORTRAN_CELLS = [("1.0D+03", "1000"), ("-2.5d-4", "-0.00025"), ("1.5Q2", "150"),
                 ("2.q-1", "0.2"), ("0.14-270", "1.4e-271"), ("1.5+100", "1.5e+100"),
                 (".5-3", "0.0005"), ("1.5-1000", "1.5"), ("15-3", "15"), ("1.5-3x", "1.5"),
                 ("0x1D3", "467"), ("1e5d3", "100000"), ("1.5d", "1.5"), ("nan-1", "nan")]
FORTRAN = {"f.dat": "".join(t + "\n" for t, _ in FORTRAN_CELLS) + "# dt = 1.0D-03\n"}
STREAMS = {"a.dat": "1\n", "b.dat": "3\n", "-": "4\n"}

CASES = [
    *off_rows([
        ("CSV: quotes, empty fields, blanks around fields, CR LF", "-d , -i q.csv",
         "1.5 2 3 \n-- -4 -- \n-- -- 92.5 \n\n",
         partial("input file 'q.csv'", 2, "2,5", "2", DECIMAL_HINT) + bad(1, 2)),
        ("CSV with decimal commas: a point is no longer one", "-d , --decimal-comma -i q.csv",
         "1 2.5 3 \n-- -4 -- \n-- -- 9 \n\n",
         partial("input file 'q.csv'", 2, "1.5", "1") + bad(1, 2)),
        ("without -d the same file splits at blanks", "-i q.csv",
         "1.5 -- -- -- \n-- -- -- -- \n-- -- -- 92.5 \n\n",
         bad(1, 2) + partial("input file 'q.csv'", 2, "1.5,", "1.5", COMMA_HINT) + bad(1, 4)),
    ], files=CSV),

    *off_rows([
        ("';' and decimal commas, parameters too", "-d ';' --decimal-comma -i e.csv -p dt,T,1,2,3",
         "0.002 1.5 1.5 -2.25 3 \n0.002 1.5 4 0.5 1.4e-271 \n\n"),
        ("';' without --decimal-comma", "-d ';' -i e.csv", "1 -2 3 \n4 5 0 \n\n",
         partial("input file 'e.csv'", 2, "1,5", "1", DECIMAL_HINT)),
    ], files=EURO),

    off("-d tab: a leading tab is an empty first cell; CR LF", "-d tab -i t.tsv",
        files={"t.tsv": "\t1\t2\r\n3\t\t\r\n4 5\t\n"}, out="-- 1 2 \n3 -- -- \n4 -- -- \n\n",
        err=partial("input file 't.tsv'", 3, "4 5", "4")),
    off("-d ':' splits clock times", "-d : -c s", stdin="12:30:15\n", err=STDIN,
        out="12 30 15 57 \n\n"),
    off("--decimal-comma without -d: blank-separated cells",
        "--decimal-comma -c s", stdin="1,5  2,5\t-,5\n1.5 3\n",
        err=STDIN + partial("standard input", 2, "1.5", "1"),
        out="1.5 2.5 -0.5 3.5 \n1 3 -- 4 \n\n"),

    off("Fortran shapes and tokens that do not change", "-i f.dat -p dt,1", files=FORTRAN,
        out="".join("0.001 " + cell + " \n" for _, cell in FORTRAN_CELLS) + "\n",
        err=partial("input file 'f.dat'", 8, "1.5-1000", "1.5")),

    *off_rows([
        ("a token read in part: one note per input, lines counted with blank and comment lines",
         "-i a.dat,b.dat,c.dat",
         "1 2 \n3 2 \n5 -- \n\n12 \n5 \n\n7 \n\n",
         partial("input file 'a.dat'", 4, "2abc", "2")
         + partial("input file 'b.dat'", 1, "12:30", "12")
         + partial("input file 'c.dat'", 2, "7;8;9", "7", "; give -d ';' if ';' separates the cells")),
        ("a long token is cut short in the note", "-i l.dat",
         "1 \n\n", partial("input file 'l.dat'", 1, "1" + "x" * 39 + "...", "1")),
    ], files={"a.dat": "# x\n\n1 2\n3 2abc\n5x\n", "b.dat": "12:30\n5 \n",
              "c.dat": "\n7;8;9\n", "l.dat": "1" + "x" * 50 + "\n"}),

    case("an unknown delimiter cannot be parsed", "-d x -i a.dat", rc=255,
         err="Error while parsing command-line: the argument ('x') for option '--delimiter'"
             " is invalid: give ',', ';', '|', ':' or 'tab'\n"),

    off("'-' among the inputs is standard input", "-i a.dat,- b.dat", files=STREAMS,
        stdin="2\n", out="1 \n\n2 \n\n3 \n\n"),
    off("'-' alone as input counts as one input file", "- -o o.dat", files=STREAMS,
        stdin="2\n", outfiles={"o.dat": "2 \n\n"}),
    off("'-' among the outputs is standard output", "-i a.dat,b.dat -o x.dat,-",
        files=STREAMS, out="3 \n", outfiles={"x.dat": "1 \n"}),
    off("'./-' is the file named '-'", "./- -o ./-", files=STREAMS, stdin="2\n",
        outfiles={"-": "4 \n\n"}),
    case("'-' twice among the inputs is refused before anything is read",
         "-i -,a.dat - -o o.dat", files=STREAMS, stdin="2\n", rc=1,
         err="tabsift: standard input ('-') is named more than once among the inputs\n",
         outfiles={"o.dat": None}),
]
