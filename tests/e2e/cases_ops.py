"""Row filter, column swap, grouping, selection and merge, alone and chained
in different orders."""

from casekit import case, header, off

A = {"a.dat": "1 2\n3 4\n5 6\n"}
AB = {"a.dat": "1 2\n-3 4\n5 6\n", "b.dat": "7 8\n-9 10\n"}
KEYS = {"k.dat": "1 10\n2 20\n1 30\n"}
PARAMS = {"a.dat": "# E = 1.5\n1 2\n3 4\n", "b.dat": "# E = 2.5 F = 7\n5 6\n"}
TWO = {"a.dat": "5 6\n7 8\n", "b.dat": "9 10\n"}
INT, FLOAT = "Using Integers as data type\n", "Using Float as data type\n"
INVALID = "Invalid value detected in data file: 1\n"
WRONG = {"-f": "Wrong filtr argument\n", "-s": "Wrong swap argument!\n",
         "-g": "Wrong group argument\n", "-p": "Wrong print argument\n"}


def x(*values):
    """One input x.dat holding one value per line."""
    return {"x.dat": "".join(f"{v}\n" for v in values)}


def rejects(option, arg, inputs="-i a.dat", files=A):
    return off(f"{option} rejects {arg!r}", [*inputs.split(), option, arg], files=files,
               err=WRONG[option], rc=1)


CASES = [
    # Row filter.
    off("filter keeps greater", "-i a.dat -f 1,gt2", files=A, out="3 4 \n5 6 \n\n"),
    off("filter cuts kept lines to listed columns", "-i a.dat -f 1,gt2,0,2,1,2", files=A,
        out="4 3 4 \n6 5 6 \n\n"),
    off("filter list of 0 alone empties kept lines", "-i a.dat -f 1,gt2,0", files=A, out="\n\n\n"),
    off("filter either of two conditions", "-i a.dat -f 1,lt2,o,gt4", files=A,
        out="1 2 \n5 6 \n\n"),
    off("filter both conditions on column 2", "-i a.dat -f 2,ge2,a,ne4,2", files=A,
        out="2 \n6 \n\n"),
    off("filter gathers every file into one table", "-i a.dat,b.dat -f 1,gt0", files=AB,
        out="1 2 \n5 6 \n7 8 \n\n"),
    off("filter eq band of the tolerance", "-i x.dat -t 0.5 -f 1,eq3", files=x(2.4, 2.5, 3, 3.5,
        3.6),
        out="2.5 \n3 \n3.5 \n\n"),
    off("filter lt widened by tolerance", "-i x.dat -t 0.5 -f 1,lt3", files=x(2.4, 3.4, 3.5),
        out="2.4 \n3.4 \n\n"),
    off("filter ge widened downwards by tolerance", "-i x.dat -t 0.5 -f 1,ge3",
        files=x(2.4, 2.5, 3), out="2.5 \n3 \n\n"),
    off("int le forms its limit in integers", "--int -i x.dat -f 1,le-2.5", files=x(-3, -2, -1),
        out="-3 \n-2 \n\n", err=INT),
    off("int lt stays in double", "--int -i x.dat -f 1,lt-2.5", files=x(-3, -2, -1),
        out="-3 \n\n", err=INT),
    off("float le forms its limit in floats", "--float -i x.dat -f 1,le0.1", files=x(0.1, 0.2),
        out="0.1 \n\n", err=FLOAT),
    off("float lt compares in double", "--float -i x.dat -f 1,lt0.1,o,eq0.1", files=x(0.1, 0.2),
        out="\n", err=FLOAT),
    off("filter drops lines whose test cell is absent", "-i x.dat -f 1,ne0", files=x("x 1", "3 4"),
        out="3 4 \n\n", err=INVALID),
    off("filter column beyond every line keeps nothing", "-i a.dat -f 9,gt2", files=A, out="\n"),
    off("filter column 0 keeps nothing", "-i a.dat -f 0,gt2", files=A, out="\n"),
    off("filter long column list", ["-i", "a.dat", "-f", "1,gt4,0" + ",2,1" * 60], files=A,
        out="6 5 " * 60 + "\n\n"),
    # Missing threshold, unknown operator, empty argument, a tail without a
    # logic character, a second condition after 0.
    *[rejects("-f", arg) for arg in ["1,gt", "1,xx2", "", "2,lt5,1,3", "1,gt0,0,lt3"]],
    off("int tolerance truncates toward zero", "--int -i x.dat -t 1.9 -f 1,eq3",
        files=x(1, 2, 3, 4, 5), out="2 \n3 \n4 \n\n", err=INT),
    off("int tolerance below one is zero", "--int -i x.dat -t 0.9 -f 1,eq3", files=x(2, 3, 4),
        out="3 \n\n", err=INT),
    case("filter comment blocks of all inputs precede the one table",
         "-i a.dat,b.dat --comments all -f 1,gt4",
         files={"a.dat": "# from a\n1 2\n5 6\n", "b.dat": "# from b\n7 8\n"},
         out=header("-i a.dat,b.dat --comments all -f 1,gt4")
         + "# from a\n# from b\n5 6 \n7 8 \n\n"),

    # Column swap.
    off("swap in the named file only", "-i a.dat,b.dat -s 1,2,2", files=AB,
        out="1 2 \n-3 4 \n5 6 \n\n8 7 \n10 -9 \n\n"),
    off("swap in every file", "-i a.dat,b.dat -s 2,1", files=AB,
        out="2 1 \n4 -3 \n6 5 \n\n8 7 \n10 -9 \n\n"),
    off("swap with join applies to every file", "-j -i a.dat,b.dat -s 1,2,1", files=AB,
        out="2 1 \n4 -3 \n6 5 \n8 7 \n10 -9 \n"),
    off("swap moves absent cells", "-i x.dat -s 1,2", files=x("5 y 7"), out="-- 5 7 \n\n",
        err=INVALID),
    off("swap file number counts the table's files", "-i a.dat,e.dat,b.dat -s 1,2,2",
        files=dict(AB, **{"e.dat": "# nothing\n"}), out="1 2 \n-3 4 \n5 6 \n\n8 7 \n10 -9 \n\n"),
    # A column with itself (also without commas), beyond the first line, file
    # 0 or beyond the table.
    *[rejects("-s", arg, "-i a.dat,b.dat", AB) for arg in ["1,1,1", "1", "1,3,1", "1,2,0",
              "1,2,3"]],

    # Grouping.
    off("group by column 1 pads short groups", "-i k.dat -g 1", files=KEYS,
        out="1 10 30 \n2 20 -- \n\n"),
    *[off(f"group by column {arg} sorts keys", f"-i k.dat -g {arg}", files=KEYS,
          out="10 1 \n20 2 \n30 1 \n\n") for arg in ["2", "2x"]],
    off("group keys numerically not by text", "-i x.dat -g 1", files=x("10 a1", "-1 2", "9 3"),
        out="-1 2 \n9 3 \n10 -- \n\n", err=INVALID),
    off("group drops lines with absent key", "-i x.dat -g 1", files=x("k 1", "4 2"), out="4 2 \n\n",
        err=INVALID),
    off("group across files", "-i a.dat,b.dat -g 2", files={"a.dat": "1 5\n2 6\n",
        "b.dat": "3 5\n"},
        out="5 1 3 \n6 2 -- \n\n"),
    off("group files side by side", "-i a.dat,b.dat -g f",
        files={"a.dat": "1 2\n3 4\n", "b.dat": "5 6\n7 8\n"}, out="1 2 5 6 \n3 4 7 8 \n\n"),
    off("group files, shorter middle file", "-i a.dat,b.dat,c.dat -g f",
        files={"a.dat": "1\n2\n3\n", "b.dat": "4\n5\n", "c.dat": "6\n7\n8\n"},
        out="1 4 6 \n2 5 7 \n3 8 \n\n"),
    off("group files, later file longer loses nothing", "-i a.dat,b.dat,c.dat -g f",
        files={"a.dat": "1\n", "b.dat": "2\n3\n",
        "c.dat": "4\n5\n6\n"}, out="1 2 4 \n3 5 \n6 \n\n"),
    off("group NaN keys form one group after every number", "-i x.dat -g 1",
        files=x("nan 1", "2 2", "nan 3", "-inf 6"), out="-inf 6 -- \n2 2 -- \nnan 1 3 \n\n"),
    # No number, or a column beyond every line.
    *[rejects("-g", arg, "-i k.dat", KEYS) for arg in ["0", "x", "F", "3", "-1"]],
    off("group on an empty table", "-i e.dat -g 1", files={"e.dat": ""}, err=WRONG["-g"], rc=1),

    # Selection.
    off("select columns into one table", "-i a.dat,b.dat -p 2,1", files=AB,
        out="2 1 \n4 -3 \n6 5 \n8 7 \n10 -9 \n\n"),
    off("select columns and a parameter", "-i a.dat,b.dat -p 1,2,E", files=PARAMS,
        out="1 2 1.5 \n3 4 1.5 \n5 6 2.5 \n\n"),
    off("select parameter first", "-i a.dat,b.dat -p E,1", files=PARAMS,
        out="1.5 1 \n1.5 3 \n2.5 5 \n\n"),
    off("select parameters alone, one line per file", "-i a.dat,b.dat -p E,F", files=PARAMS,
        out="1.5 -- \n2.5 7 \n\n"),
    off("select meets the parameters of the line's own input", "-i a.dat,e.dat,b.dat -p 1,E",
        files=dict(PARAMS, **{"e.dat": "# E = 99\n"}), out="1 1.5 \n3 1.5 \n5 2.5 \n\n"),
    off("select column beyond a line gives absent cells", "-i a.dat -p 5,1", files=A,
        out="-- 1 \n-- 3 \n-- 5 \n\n"),
    off("select int parameter truncates", "--int -i a.dat -p E,1",
        files={"a.dat": "# E = 2.9\n1\n"},
        out="2 1 \n\n", err=INT),
    off("select int parameter beyond the int range is absent", "--int -i a.dat -p E,1",
        files={"a.dat": "# E = 3e10\n1\n"}, out="-- 1 \n\n", err=INT),
    off("select trailing comma", "-i a.dat -p 1,2,", files=A, out="1 2 \n3 4 \n5 6 \n\n"),
    off("select nothing gives one empty line per file", ["-i", "a.dat,b.dat", "-p", ""], files=AB,
        out="\n\n\n"),
    *[rejects("-p", arg) for arg in ["1,,2", ",1", "0", "0.05"]],
    rejects("-p", "1,G", "-i a.dat,b.dat", PARAMS),
    off("select parameter from standard input", "-p E", stdin="# E = 1\n1 2\n",
        err="read from stdin\n" + WRONG["-p"], rc=1),
    off("select columns from standard input", "-p 2,1", stdin="1 2\n", out="2 1 \n\n",
        err="read from stdin\n"),

    # Merge.
    off("merge tags lines with file numbers", "-m -i a.dat,b.dat", files=TWO,
        out="1 5 6 \n1 7 8 \n\n2 9 10 \n\n"),
    off("merge numbers count the table's files", "-m -i a.dat,e.dat,b.dat",
        files={"a.dat": "5\n", "e.dat": "", "b.dat": "9\n"}, out="1 5 \n\n2 9 \n\n"),
    off("merge int file numbers", "--int -m -i a.dat,b.dat --prec 3",
        files={"a.dat": "5\n", "b.dat": "9\n"}, out="1 5 \n\n2 9 \n\n", err=INT),
    off("merge float file numbers with precision", "--float -m -i a.dat,b.dat --prec 3",
        files={"a.dat": "5\n", "b.dat": "9\n"}, out="1.00 5.00 \n\n2.00 9.00 \n\n", err=FLOAT),

    # Operations chained in different orders.
    off("merge then filter on the file number", "-m -i a.dat,b.dat -f 1,eq2", files=TWO,
        out="2 9 10 \n\n"),
    off("merge then group by file number", "-m -i a.dat,b.dat -g 1", files=TWO,
        out="1 5 6 7 8 \n2 9 10 -- -- \n\n"),
    off("filter then group", "-i k.dat -f 2,gt15 -g 1", files=KEYS, out="1 30 \n2 20 \n\n"),
    off("group then filter", "-i k.dat -g 1 -f 2,gt15", files=KEYS, out="2 20 -- \n\n"),
    off("group then filter on a padded column", "-i k.dat -g 1 -f 3,gt0", files=KEYS,
        out="1 10 30 \n\n"),
    off("swap after a filter: only file 1 exists", "-i a.dat,b.dat -f 1,gt0 -s 1,2,1", files=AB,
        out="2 1 \n6 5 \n8 7 \n\n"),
    off("swap after a filter rejects file 2", "-i a.dat,b.dat -f 1,gt0 -s 1,2,2", files=AB,
        err=WRONG["-s"], rc=1),
    off("swap after file grouping leaves short lines", "-i a.dat,b.dat -g f -s 1,3",
        files={"a.dat": "1 2\n3 4\n",
        "b.dat": "5 6\n7 8\n9 10\n"}, out="5 2 1 6 \n7 4 3 8 \n9 10 \n\n"),
    off("swap before a filter", "-i a.dat -s 1,2 -f 1,gt3", files=A, out="4 3 \n6 5 \n\n"),
    off("selection of parameters after a filter uses the first input",
        "-i a.dat,b.dat -f 1,gt2 -p 1,E", files=PARAMS, out="3 1.5 \n5 1.5 \n\n"),
    off("selection after a filter that kept nothing", "-i a.dat,b.dat -f 1,gt9 -p 1,E",
        files=PARAMS, out="1.5 \n\n"),
    off("selection of parameters alone after a filter", "-i a.dat,b.dat -f 1,gt2 -p E,F",
        files=PARAMS, out="1.5 -- \n\n"),
    off("filter after a selection", "-i a.dat,b.dat -p E,1 -f 1,gt2", files=PARAMS,
        out="2.5 5 \n\n"),
    off("group by a selected parameter", "-i a.dat,b.dat -p E,1 -g 1", files=PARAMS,
        out="1.5 1 3 \n2.5 5 -- \n\n"),
    off("error in a later operation writes no output", "-i a.dat -f 1,gt0 -g 9", files=A,
        err=WRONG["-g"], rc=1),
    case("comment blocks precede the one table after grouping", "-i a.dat,b.dat --comments 1 -g f",
         files={"a.dat": "# a1\n# a2\n1\n", "b.dat": "# b1\n2\n"},
         out=header("-i a.dat,b.dat --comments 1 -g f") + "# a1\n# b1\n1 2 \n\n"),
]
