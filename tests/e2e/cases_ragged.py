"""Ragged tables: lines of differing widths in one file, as reading finds
them (a names line, a short last line, widths changing line by line) and as
the operations make them (files of different widths gathered by the filter,
the grouping and the selection, files of different lengths side by side),
then reshaped further. The large cases give each shape enough lines that a
store whose work grows faster than its lines would show."""

from casekit import off_rows, shell_case, sized

LINES = sized(100000, 20000)

SHAPES = {"n.dat": "a b\n1 2 3\n4 5 6\n", "s.dat": "1 2 3\n4 5 6\n7\n",
          "v.dat": "1 2 3\n4 5 6 7 8\n9 10 11 12\n",
          "w2.dat": "1 2\n3 4\n", "w3.dat": "5 6 7\n8 9 10\n11 12 13\n",
          "k3.dat": "3 9 10\n1 6 7\n11 12 13\n"}
INVALID = "Invalid value detected in data file: 1\n"

# The lines of files of widths 2 and 3 gathered into one file.
GATHERED = "1 2 \n3 4 \n5 6 7 \n8 9 10 \n11 12 13 \n"


def numbers(first, width):
    """The text of a line of `width` numbers from `first` on, below 1000."""
    return " ".join(str((first + k) % 1000) for k in range(width))


def total(first, width):
    """The sum of numbers(first, width)."""
    return sum((first + k) % 1000 for k in range(width))


def awk_lines(count, width, before=""):
    """An awk program writing `before`, then `count` lines of numbers()."""
    return ("awk 'BEGIN { %s for (l = 0; l < %d; l++) { "
            "for (k = 0; k < %d; k++) printf \"%%s%%d\", (k ? \" \" : \"\"), (l + k) %% 1000; "
            "print \"\" } }'" % (before, count, width))


CASES = [
    *off_rows([
        ("a names line pads to the width of the numbers", "-i n.dat",
         "-- -- -- \n1 2 3 \n4 5 6 \n\n", INVALID * 2),
        ("a short last line pads", "-i s.dat", "1 2 3 \n4 5 6 \n7 -- -- \n\n"),
        ("widths changing line by line pad to the widest", "-i v.dat",
         "1 2 3 -- -- \n4 5 6 7 8 \n9 10 11 12 -- \n\n"),
        ("line sums of gathered lines of widths 2 and 3", "-i w2.dat,w3.dat -f 1,gt0 -c s,c",
         "1 2 3 2 \n3 4 7 2 \n5 6 7 18 3 \n8 9 10 27 3 \n11 12 13 36 3 \n\n"),
        ("column sums of gathered lines of widths 2 and 3", "-i w2.dat,w3.dat -f 1,gt0 --col -c s",
         GATHERED + "28 33 30 \n\n"),
        ("results only of gathered lines", "-i w2.dat,w3.dat -f 1,gt0 -r -c s",
         "3 \n7 \n18 \n27 \n36 \n\n"),
        ("selection over gathered lines of widths 2 and 3", "-i w2.dat,w3.dat -f 1,gt0 -p 3,1",
         "-- 1 \n-- 3 \n7 5 \n10 8 \n13 11 \n\n"),
        ("grouping files of widths 2 and 3 pads the groups", "-i w2.dat,k3.dat -g 1",
         "1 2 6 7 \n3 4 9 10 \n11 12 13 -- \n\n"),
    ], files=SHAPES),

    shell_case("a names line before %d lines" % LINES,
               awk_lines(LINES, 3, 'print "a b";') + " > r.dat && "
               "tabsift -i r.dat --comments off 2>/dev/null",
               out="-- -- -- \n" + "".join(numbers(l, 3) + " \n" for l in range(LINES))
               + "\n"),
    shell_case("filtered files of widths 2 and 3, %d lines each" % LINES,
               awk_lines(LINES, 2) + " > a.dat && " + awk_lines(LINES, 3) + " > b.dat && "
               "tabsift -i a.dat,b.dat --comments off -f 1,gt-1 -c s | tail -n 3 && "
               "tabsift -i a.dat,b.dat --comments off -f 1,gt-1 | wc -l",
               out="".join("%s %d \n" % (numbers(l, 3), total(l, 3))
                           for l in (LINES - 2, LINES - 1)) + "\n%d\n" % (2 * LINES + 1)),
    shell_case("files of %d and %d lines side by side, summed" % (LINES, LINES // 2),
               awk_lines(LINES, 1) + " > a.dat && " + awk_lines(LINES // 2, 2) + " > b.dat && "
               "tabsift -i a.dat,b.dat --comments off -g f -c s",
               out="".join("%d %s %d \n" % (l % 1000, numbers(l, 2), l % 1000 + total(l, 2))
                           if l < LINES // 2 else "%d %d \n" % (l % 1000, l % 1000)
                           for l in range(LINES)) + "\n"),
]
