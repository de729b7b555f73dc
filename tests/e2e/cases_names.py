"""Column names (--header): where an input's names come from, names in every
argument that takes a column, each refused word, the line of names in front
of every table after each operation, and the output read back by
tabsift --header unchanged. Which argument items are columns, and the
names as files are gathered, cut and grouped, are the unit tests'
(ops/name_args_test.cc, table/column_names_test.cc)."""

import os

from casekit import case, header, off, off_rows, shell_case

# The README's example: its command on examples/thermo.dat.
ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "../..")
THERMO = {"thermo.dat": open(os.path.join(ROOT, "examples/thermo.dat")).read()}
README_OPS = "-f Step,ge100 -r --col -c a,e -p Temp,Press"
assert f"tabsift --header -i examples/thermo.dat --comments off {README_OPS}" in \
    open(os.path.join(ROOT, "README.md")).read()

# A LAMMPS-style log table, its names in its first line; two runs whose names
# stand in a comment line, with a parameter T; keys that repeat.
LOG = {"log.dat": "Step Temp E_pair Press\n0 300 -5.5 1.2\n100 310 -5.4 1.3\n200 305 -5.6 1.1\n"}
RUNS = {"c.dat": "# T = 300\n# step energy press\n0 -1.5 1\n1 -2.5 x\n",
        "d.dat": "# T = 350\n# step energy press\n0 -3 2\n"}
INVALID = "Invalid value detected in data file: 1\n"
KEYS = {"k.dat": "T E P\n1 10 100\n2 20 200\n1 30 300\n"}


def named(name, args, out, **expected):
    return off(name, ["--header", *args.split()], out=out, **expected)


def refused(option, argument, message, files=LOG, inputs="-i log.dat", err=""):
    return named(f"{option} refuses {argument!r}", f"{inputs} {option} {argument}", "",
                 files=files, err=err + f"tabsift: {message}\n", rc=1)


CASES = [
    named("the README's example", "-i thermo.dat " + README_OPS,
          "Temp Press \n0.777009 3.25092 \n0.00519622 0.0357015 \n\n", files=THERMO),
    # Where the names come from: the first line of words, or the comment line
    # just before the first data line when that line holds numbers only.
    *off_rows([
        ("names from the first line", "--header -i log.dat",
         "Step Temp E_pair Press \n0 300 -5.5 1.2 \n100 310 -5.4 1.3 \n200 305 -5.6 1.1 \n\n"),
        ("names in every argument that takes a column; numbers work as before",
         "--header -i log.dat -f Temp,gt301,0,Step,Temp,3 -s Temp,Step",
         "Temp Step E_pair \n310 100 -5.4 \n305 200 -5.6 \n\n"),
        ("a name stands for its column where it stands now",
         "--header -i log.dat -c s -f sum,gt400,0,sum,Step -g sum -p Step,sum",
         "Step sum \n100 405.9 \n200 500.5 \n\n"),
        ("line statistics name their cells", "--header -i log.dat -f Step,eq0 -c a,c,l,h,e,m,d,s",
         "Step Temp E_pair Press mean count min max sem median sstdev sum \n"
         "0 300 -5.5 1.2 73.925 4 -5.5 300 75.3724 0.6 150.745 295.7 \n\n"),
        ("results only keep the statistics' names", "--header -i log.dat -r -c a,s -p sum",
         "sum \n295.7 \n405.9 \n500.5 \n\n"),
        ("merged results only keep the file numbers' name", "--header -i log.dat -m -r -c s",
         "file sum \n1 295.7 \n1 405.9 \n1 500.5 \n\n"),
        ("column statistics add lines, not names", "--header -i log.dat --col -c a -p Press",
         "Press \n1.2 \n1.3 \n1.1 \n1.2 \n\n"),
        ("--tab separates the names too", "--header --tab -i log.dat -p Press,Step",
         "Press\tStep\t\n1.2\t0\t\n1.3\t100\t\n1.1\t200\t\n\n")], files=LOG),
    *off_rows([
        ("names from the comment line before the data; the parameter by its name",
         "--header -i c.dat,d.dat -p T,energy,step",
         "T energy step \n300 -1.5 0 \n300 -2.5 1 \n350 -3 0 \n\n", INVALID),
        ("parameters alone: one line per file", "--header -i c.dat,d.dat -p T",
         "T \n300 \n350 \n\n", INVALID),
        ("every table starts with its names; swap in the second file only",
         "--header -i c.dat,d.dat -s energy,step,2",
         "step energy press \n0 -1.5 1 \n1 -2.5 -- \n\nenergy step press \n-3 0 2 \n\n",
         INVALID),
        ("joined inputs: one line of names", "--header -i c.dat,d.dat -m -j",
         "file step energy press \n1 0 -1.5 1 \n1 1 -2.5 -- \n2 0 -3 2 \n", INVALID),
        ("files side by side: names numbered by file", "--header -i c.dat,d.dat -g f",
         "step_1 energy_1 press_1 step_2 energy_2 press_2 \n0 -1.5 1 0 -3 2 \n1 -2.5 -- \n\n",
         INVALID)], files=RUNS),
    named("grouping with several lines a key: names numbered by line", "-i k.dat -g T",
          "T E_1 P_1 E_2 P_2 \n1 10 100 30 300 \n2 20 200 -- -- \n\n", files=KEYS),
    # Inputs whose names differ: a gathered column keeps a name only where
    # they agree; a column without a name is written as "c" and its number.
    named("columns named differently lose their names when gathered",
          "-i c.dat,log.dat -f 1,ge100", "c1 c2 c3 Press \n100 310 -5.4 1.3 \n"
          "200 305 -5.6 1.1 \n\n", files={**RUNS, **LOG}, err=INVALID),
    named("a names line wider than the data widens the table; a narrower one names fewer",
          "-i w.dat,n.dat", "a b c \n1 2 -- \n\na c2 \n1 2 \n\n",
          files={"w.dat": "a b c\n1 2\n", "n.dat": "a\r\n1 2\r\n"}),
    # Names are split like the data lines: by -d, unquoted, with the
    # decimal comma; the names line counts among the lines of the input.
    *off_rows([
        ("a CSV header: a blank in a name written as _, a column without one by number",
         ["--header", "-d", ",", "-i", "x.csv", "-c", "c", "-p", "Total energy,3,count"],
         "Total_energy c2 count \n1.5 -- 3 \n-- 4 3 \n\n"),
        ("names from a comment split by -d", "--header -d ; --decimal-comma -i y.csv",
         "t E \n0 1.5 \n\n"),
        ("the line number of a token read only in part counts the names line",
         "--header -i z.dat", "a b \n1 2 \n\n",
         "tabsift: input file 'z.dat', line 2: token '2x' read only in part, as 2\n")],
        files={"x.csv": 'time,"Total energy",,T\r\n0,1.5,,3\r\n1,,4,5\r\n',
               "y.csv": "# t;E\n0;1,5\n", "z.dat": "a b\n1 2x\n"}),
    named("an input without data lines adds no names", "-i e.dat,log.dat -p Step",
          "Step \n0 \n100 \n200 \n\n", files={"e.dat": "# no data\n", **LOG}),
    named("a names line of numbers only is said, and still names", "-p 2",
          "2 \n4 \n\n", stdin="1 2\n3 4\n",
          err="read from stdin\ntabsift: the names line of standard input holds numbers only\n"),
    case("each output file starts with its names",
         "--header -i c.dat,d.dat -o x.out,y.out --comments off", files=RUNS, err=INVALID,
         outfiles={"x.out": "step energy press \n0 -1.5 1 \n1 -2.5 -- \n",
                   "y.out": "step energy press \n0 -3 2 \n"}),
    case("the names line follows the comment lines and the run header",
         "--header -i c.dat --comments all -p energy", files=RUNS, err=INVALID,
         out=header("--header -i c.dat --comments all -p energy")
         + "# T = 300\n# step energy press\nenergy \n-1.5 \n-2.5 \n\n"),

    # Refused words: one line naming the word, status 1, nothing written.
    refused("-f", "nope,gt0", "no column is named 'nope'"),
    refused("-s", "Step,x", "no column is named 'x'"),
    refused("-g", "E-pair", "no column is named 'E-pair'"),
    refused("-p", "Step,T", "no column or parameter is named 'T'"),
    refused("-p", "T,x", "'T' names both a column and a parameter",
            files={"t.dat": "# T = 1\nT x\n1 2\n"}, inputs="-i t.dat"),
    refused("-g", "x", "'x' names two columns, 2 and 1",
            files={"a.dat": "T x\n1 2\n", "b.dat": "x T\n3 4\n"}, inputs="-i a.dat,b.dat"),
    refused("-f", "nope,gt0", "no column is named 'nope'", inputs="-i log.dat -c s"),
    # Without --header nothing is a name: the argument is as malformed as ever.
    off("without --header a name is no column", "-i log.dat -f Temp,gt0", files=LOG,
        err="Invalid value detected in data file: 1\n" * 4 + "Wrong filtr argument\n", rc=1),

    # Read back by --header, the output of every operation is written again
    # byte for byte: names and cells alike.
    shell_case("the output of each operation reads back unchanged", r"""
printf 'Step Temp E_pair Press\n0 300 -5.5 1.2\n100 310 -5.4 1.3\n200 305 -5.6 1.1\n' > log.dat
printf 'Step Temp E_pair Press\n300 290 -5.2 1.4\n400 301 -5 1\n500 -- nan 2\n' > more.dat
for op in "" "-f Temp,gt301,0,Press,Step" "-s Temp,Step" "-g Temp" "-g f" "-p Press,Step"\
    "-c a,m" "-r -c s" "--col -c d" "-m"; do
  tabsift --header -i log.dat,more.dat -j --comments off $op > first 2>/dev/null || exit 1
  tabsift --header --comments off -j < first > again 2>/dev/null || exit 1
  cmp -s first again || { echo "not read back: $op"; cat first again; }
done
""")
]
