"""Row filter, column swap, grouping, selection and merge, alone and chained
in different orders. The argument grammars and the conditions' arithmetic
are the unit tests' (ops/arguments_test.cc)."""

from casekit import case, header, off, off_rows

AB = {"a.dat": "1 2\n-3 4\n5 6\n", "b.dat": "7 8\n-9 10\n"}
KEYS = {"k.dat": "1 10\n2 20\n1 30\n", "l.dat": "1 40\n"}
PARAMS = {"a.dat": "# E = 1.5\n1 2\n3 4\n", "b.dat": "# E = 2.5 F = 7\n5 6\n"}
INT, FLOAT = "Using Integers as data type\n", "Using Float as data type\n"
INVALID = "Invalid value detected in data file: 1\n"
INVALID2 = "Invalid value detected in data file: 2\n"
# Cells at the edges of every cell type, in lines of two widths in the first
# file and of another width in the second: every reshaping of the table
# carries them through unchanged (-nan and nan, -0, subnormals, the limits,
# absent cells).
EDGES = {"e.dat": "1 -nan -0 4.9e-324 1.79769e+308 x\n2 nan 0 -4.9e-324 -inf\n"
                  "3 inf 2147483647 -2147483648 1e-310\n",
         "f.dat": "4 -0 nan\n"}
WRONG = {"-f": "Wrong filtr argument\n", "-s": "Wrong swap argument!\n",
         "-g": "Wrong group argument\n", "-p": "Wrong print argument\n"}


def rejected(option, arguments, inputs="-i a.dat", files=AB):
    return [off(f"{option} rejects {arg!r}", [*inputs.split(), option, arg], files=files,
                err=WRONG[option], rc=1) for arg in arguments]


CASES = [
    # Row filter.
    *off_rows([
        ("filter cuts kept lines to a long list of columns",
         ["-i", "a.dat", "-f", "1,gt-4,0" + ",2,1" * 60 + ",2"], "2 1 " * 60 + "2 \n"
         + "4 -3 " * 60 + "4 \n" + "6 5 " * 60 + "6 \n\n"),
        ("filter list of 0 alone empties kept lines", "-i a.dat -f 1,gt-9,0", "\n\n\n\n"),
        ("filter either of two conditions", "-i a.dat -f 1,lt0,o,gt4", "-3 4 \n5 6 \n\n"),
        ("filter both conditions on column 2", "-i a.dat -f 2,ge2,a,ne4,2", "2 \n6 \n\n"),
        # -3 fails the first condition and meets the second: both are needed.
        ("filter both conditions, the first failing", "-i a.dat -f 1,gt0,a,lt4", "1 2 \n\n"),
        ("filter column beyond every line keeps nothing; swap over a file without lines",
         "-i a.dat -f 9,gt2 -s 1,2", "\n"),
        ("filter gathers every file into one table", "-i a.dat,b.dat -f 1,gt0",
         "1 2 \n5 6 \n7 8 \n\n"),
        # Column 3 is the first one past each line: it adds nothing, and the
        # selection makes it absent; joined files pad to the widest of all,
        # wherever it stands.
        ("filter list with the first column past the line", "-i a.dat -f 1,gt0,0,3,1",
         "1 \n5 \n\n"),
        ("select the first column past the line", "-i b.dat -p 3,1", "-- 7 \n-- -9 \n\n"),
        ("joined files pad to the widest, the first", "-j -i c.dat,a.dat,b.dat -f 1,gt-99",
         "0 0 0 \n1 2 -- \n-3 4 -- \n5 6 -- \n7 8 -- \n-9 10 -- \n")],
        files={**AB, "c.dat": "0 0 0\n"}),
    off("filter drops lines whose test cell is absent, with either condition; swap moves absent cells",
        "-i x.dat -f 1,lt5,o,gt0 -s 1,2", files={"x.dat": "x 1\n3 y 7\n"}, out="-- 3 7 \n\n",
        err=INVALID * 2),
    off("int tolerance truncates toward zero", "--int -i x.dat -t 1.9 -f 1,eq3",
        files={"x.dat": "1\n2\n3\n4\n5\n"}, out="2 \n3 \n4 \n\n", err=INT),
    # Keys compare exactly and sort as numbers, -0 and 0 are one key (the
    # first one seen), every NaN one key after the numbers; a line
    # without a key cell adds nothing.
    off("group keys", "-i x.dat -g 1",
        files={"x.dat": "10 a1\nnan 1\n-0 2\n9 3\n0.1 4\nk 5\n0.1000001 6\nnan 7\n0 8\n-inf 9\n"},
        out="-inf 9 -- \n-0 2 8 \n0.1 4 -- \n0.1 6 -- \n9 3 -- \n10 -- -- \nnan 1 7 \n\n",
        err=INVALID * 2),
    *rejected("-f", ["1,gt"]),

    # Column swap.
    *off_rows([
        ("swap in every file", "-i a.dat,b.dat -s 2,1", "2 1 \n4 -3 \n6 5 \n\n8 7 \n10 -9 \n\n"),
        ("swap with join applies to every file", "-j -i a.dat,b.dat -s 1,2,1",
         "2 1 \n4 -3 \n6 5 \n8 7 \n10 -9 \n"),
        ("select nothing gives one empty line per file", ["-i", "a.dat,b.dat", "-p", ""],
         "\n\n\n")], files=AB),
    off("swap file number counts the table's files", "-i a.dat,e.dat,b.dat -s 1,2,2",
        files=dict(AB, **{"e.dat": "# nothing\n"}), out="1 2 \n-3 4 \n5 6 \n\n8 7 \n10 -9 \n\n"),
    # A column with itself (also without commas), beyond the first line, file
    # 0 or beyond the table; after a filter only file 1 exists.
    *rejected("-s", ["1,1,1", "1", "1,3,1", "1,2,0", "1,2,3"], "-i a.dat,b.dat", AB),
    *rejected("-s", ["1,2,2"], "-i a.dat,b.dat -f 1,gt0", AB),

    # Grouping.
    off("group across files, then filter on a padded column", "-i k.dat,l.dat -g 1 -f 3,gt0",
        files=KEYS, out="1 10 30 40 \n\n"),
    off("group files: a shorter middle file, a longer last one; a swap leaves short lines",
        "-i a.dat,b.dat,c.dat -g f -s 1,3",
        files={"a.dat": "1 2\n3 4\n", "b.dat": "5\n", "c.dat": "6 7\n8 9\n10 11\n"},
        out="5 2 1 6 7 \n8 4 3 9 \n10 11 \n\n"),
    # A column beyond every line; a later operation's error writes no output.
    *rejected("-g", ["3", "-1"], "-i k.dat -f 1,gt1", KEYS),
    # A table without lines groups to one table without lines, however it
    # came to be empty; a malformed argument is still refused.
    *off_rows([
        ("group an empty input", "-i e.dat -g 1", "\n"),
        ("group what a filter that kept nothing left, then sum it", "-i k.dat -f 1,gt5 -g 9 -c s",
         "\n")],
        files=dict(KEYS, **{"e.dat": "", "c.dat": "# crashed after its header\n"})),
    case("group a comment-only input: its comments and one empty table",
         "-i c.dat -g 2 --comments all", files={"c.dat": "# crashed after its header\n"},
         out=header("-i c.dat -g 2 --comments all") + "# crashed after its header\n\n"),
    *rejected("-g", ["0", "-1", "x"], "-i k.dat -f 1,gt5", KEYS),
    *rejected("-g", ["0", "-1"], "-i c.dat", {"c.dat": "# only comments\n"}),

    # Selection, also after and before other operations.
    *off_rows([
        ("select columns, one beyond the lines, and a parameter", "-i a.dat,b.dat -p 5,1,2,E",
         "-- 1 2 1.5 \n-- 3 4 1.5 \n-- 5 6 2.5 \n\n"),
        ("select parameters alone, one line per file", "-i a.dat,b.dat -p E,F",
         "1.5 -- \n2.5 7 \n\n"),
        ("selection of parameters after a filter uses the first input",
         "-i a.dat,b.dat -f 1,gt2 -p 1,E", "3 1.5 \n5 1.5 \n\n"),
        ("selection after a filter that kept nothing", "-i a.dat,b.dat -f 1,gt9 -p 1,E",
         "1.5 \n\n"),
        ("filter after a selection", "-i a.dat,b.dat -p E,1 -f 1,gt2", "2.5 5 \n\n"),
        ("group by a selected parameter", "-i a.dat,b.dat -p E,1 -g 1", "1.5 1 3 \n2.5 5 -- \n\n")],
        files=PARAMS),
    off("select int parameters: truncated, absent beyond the int range", "--int -i a.dat -p E,G,1",
        files={"a.dat": "# E = 2.9 G = 3e10\n1\n"}, out="2 -- 1 \n\n", err=INT),
    *rejected("-p", ["1,G"], "-i a.dat,b.dat", PARAMS),
    off("select parameter from standard input", "-p E", stdin="# E = 1\n1 2\n",
        err="read from stdin\n" + WRONG["-p"], rc=1),
    off("select columns from standard input", "-p 2,1", stdin="1 2\n", out="2 1 \n\n",
        err="read from stdin\n"),

    # Edge cells through the reshapings, for each cell type (statistics only
    # where the result does not hang on which of two NaNs wins).
    *off_rows([
        ('merge, filter, count on lines of two widths', '-i e.dat,f.dat -m -f 2,gt0 -c c',
         '1 1 -nan -0 4.94066e-324 1.79769e+308 -- 5 \n1 2 nan 0 -4.94066e-324 -inf -- 5 \n1 3 inf 2.14748e+09 -2.14748e+09 1e-310 -- 5 \n2 4 -0 nan 3 \n\n', INVALID * 1),
        ('group lines of two widths, line sums', '-i e.dat,f.dat -g 1 -c s',
         '1 -nan -0 4.94066e-324 1.79769e+308 -- -nan \n2 nan 0 -4.94066e-324 -inf -- nan \n3 inf 2.14748e+09 -2.14748e+09 1e-310 -- inf \n4 -0 nan -- -- -- nan \n\n', INVALID * 1),
        ('group joined lines of one width', '-i e.dat,f.dat -j -g 1',
         '1 -nan -0 4.94066e-324 1.79769e+308 -- \n2 nan 0 -4.94066e-324 -inf -- \n3 inf 2.14748e+09 -2.14748e+09 1e-310 -- \n4 -0 nan -- -- -- \n', INVALID * 1),
        ('select, swap, column counts', '-i e.dat,f.dat -p 6,2,1 -s 1,3 --col -c c',
         '1 -nan -- \n2 nan -- \n3 inf -- \n4 -0 -- \n4 4 -- \n\n', INVALID * 1),
        ('files side by side, line counts', '-i e.dat,f.dat -g f -c c',
         '1 -nan -0 4.94066e-324 1.79769e+308 -- 4 -0 nan 8 \n2 nan 0 -4.94066e-324 -inf -- 5 \n3 inf 2.14748e+09 -2.14748e+09 1e-310 -- 5 \n\n', INVALID * 1),
        ('float cells: files side by side, line counts', '--float -i e.dat,f.dat -g f -c c',
         '1 -nan -0 0 inf -- 4 -0 nan 8 \n2 nan 0 -0 -inf -- 5 \n3 inf 2.14748e+09 -2.14748e+09 0 -- 5 \n\n', FLOAT + INVALID * 1),
        ('int cells: merge, filter, count on lines of two widths', '--int -i e.dat,f.dat -m -f 2,gt0 -c c',
         '1 1 -- 0 0 -- -- 3 \n1 2 -- 0 0 -- -- 3 \n1 3 -- 2147483647 -2147483648 0 -- 4 \n2 4 0 -- 2 \n\n', INT + INVALID * 6 + INVALID2),
        ('int cells: select, swap, column counts', '--int -i e.dat,f.dat -p 6,2,1 -s 1,3 --col -c c',
         '1 -- -- \n2 -- -- \n3 -- -- \n4 0 -- \n4 1 -- \n\n', INT + INVALID * 6 + INVALID2),
    ], files=EDGES),

    # Merge.
    off("merge numbers the lines by the table's files, in the cell type",
        "--float --prec 3 -m -i a.dat,e.dat,b.dat", out="1.00 5.00 \n1.00 6.00 \n\n2.00 9.00 \n\n",
        files={"a.dat": "5\n6\n", "e.dat": "", "b.dat": "9\n"}, err=FLOAT),
    case("comment blocks precede the one table after grouping", "-i a.dat,b.dat --comments 1 -g f",
         files={"a.dat": "# a1\n# a2\n1\n", "b.dat": "# b1\n2\n"},
         out=header("-i a.dat,b.dat --comments 1 -g f") + "# a1\n# b1\n1 2 \n\n"),
]
