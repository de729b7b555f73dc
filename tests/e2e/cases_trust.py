"""Nothing a user gives is lost or mislabelled: input names given as
separate words, sums that keep their digits, failed writes of the help and
version texts, answers beyond the int range at the output question, memory
running out, and the and-filter whose first condition fails."""

import os

from casekit import case, header, shell_case

OFF = "--comments off"
OFF_WORDS = OFF.split()
R = {"r%d.dat" % i: "# T = %d\n%d0 %d1\n" % (i, i, i) for i in (1, 2, 3)}
AB = {"a.dat": "1 2\n", "b.dat": "3 4\n"}
PROMPT = (
    "\nWARNING!!!Output and input file lists doesnt match to any standard "
    "pattern \nYou have three options:\n1. Print all to standard output.\n2. "
    "Print all to first file on the output file list.\n\n0. Exit without "
    "saving.\n(select 1, 2 or 0): ")
NO_ANSWER = ("tabsift: no answer 0, 1 or 2 to the output question before the "
             "end of input; nothing written\n")

# More than the 128 KiB that Linux allows in one argument, as separate
# words: 1500 input files with names of 100 characters.
MANY = ["%s%04d.dat" % ("n" * 92, i) for i in range(1500)]


def many_names_case():
    return case("more than 128 KiB of input names as separate words",
                OFF_WORDS + MANY[:1] + ["-j", "--col", "-c", "s,c"] + MANY[1:],
                files={name: "%d\n" % i for i, name in enumerate(MANY)},
                out="".join("%d \n" % i for i in range(1500))
                    + "1.12425e+06 \n1500 \n")


def memory_cases():
    # AddressSanitizer reserves far more address space than any limit
    # leaves, and stops the process itself when memory runs out.
    if os.environ.get("TABSIFT_SANITIZED"):
        return []
    return [
        shell_case("memory running out is reported as such",
                   "awk 'BEGIN { for (i = 0; i < 100000; i++) print i, 1 }' > d.dat\n"
                   "letters=s; i=0\n"
                   "while [ $i -lt 2000 ]; do letters=$letters,s; i=$((i+1)); done\n"
                   "ulimit -v 300000\n"
                   "tabsift -i d.dat --comments off -c $letters > out.txt\n"
                   "echo status $?; wc -c < out.txt",
                   out="status 1\n0\n",
                   err="tabsift: memory exhausted while working on the table\n"),
    ]


CASES = [
    # Every word that is no option nor an option's value is an input name,
    # after those of the -i list, in command-line order.
    case("a glob-like word list after -i reads every file",
         "-i r1.dat r2.dat r3.dat -p T,1 " + OFF, files=R,
         out="1 10 \n2 20 \n3 30 \n\n"),
    case("words after the -i list follow its names",
         "r3.dat -i r1.dat,r2.dat " + OFF + " r1.dat", files=R,
         out="10 11 \n\n20 21 \n\n30 31 \n\n10 11 \n\n"),
    case("words without -i: standard input is not read",
         "a.dat b.dat -c s " + OFF, files=AB, stdin="9\n",
         out="1 2 3 \n\n3 4 7 \n\n"),
    case("a word holding a comma is one name",
         ["-i", "a.dat", "c,d.dat"] + OFF_WORDS, files={"a.dat": "1\n", "c,d.dat": "2\n"},
         out="1 \n\n2 \n\n"),
    case("an unreadable word is reported like an -i name",
         "a.dat missing.dat " + OFF, files=AB, out="1 2 \n\n", rc=1,
         err="tabsift: cannot open input file 'missing.dat': "
             "No such file or directory\n"),
    case("after -- every word is a file name, switches included",
         ["-c", "s"] + OFF_WORDS + ["--", "-c", "--", "-m"],
         files={"-c": "1\n", "--": "2\n", "-m": "3\n"},
         out="1 1 \n\n2 2 \n\n3 3 \n\n"),
    case("a -- that is an option's value ends nothing",
         "-i a.dat -b -- -c s " + OFF, files=AB, out="1 2 3 \n\n"),
    case("the merge header lists the words as inputs",
         "-m a.dat b.dat -c s", files=AB,
         out=header("-m a.dat b.dat -c s")
             + "# Data from files: a.dat, b.dat \n1 1 2 4 \n\n2 3 4 9 \n\n"),
    case("words count as inputs for one output file each",
         "a.dat b.dat -o x.dat,y.dat " + OFF, files=AB,
         outfiles={"x.dat": "1 2 \n", "y.dat": "3 4 \n"}),
    case("one word and one output name write that file",
         "a.dat -o x.dat " + OFF, files=AB, outfiles={"x.dat": "1 2 \n\n"}),
    many_names_case(),

    # Sums and averages are kept wider than the cell and rounded once.
    shell_case("float column of a million 0.1 sums to 100000",
               "awk 'BEGIN { for (i = 0; i < 1000000; i++) print 0.1 }' > c.dat\n"
               "tabsift --float -i c.dat --comments off --col -c s,a,c | tail -n 4",
               out="100000 \n0.1 \n1e+06 \n\n",
               err="Using Float as data type\n"),
    case("float line of a thousand 0.1 sums to 100",
         "--float -i l.dat -c s,a -p 1001,1002 " + OFF,
         files={"l.dat": "0.1 " * 1000 + "\n"},
         out="100 0.1 \n\n", err="Using Float as data type\n"),
    case("double line 1e16 1 -1e16 sums to 1",
         "-i d.dat --prec 17 -c s,a " + OFF, files={"d.dat": "1e16 1 -1e16\n"},
         out="10000000000000000. 1.0000000000000000 -10000000000000000. "
             "1.0000000000000000 0.33333333333333331 \n\n"),
    case("double column 1e16 1 -1e16 sums to 1",
         "-i d.dat --col -c s " + OFF, files={"d.dat": "1e16\n1\n-1e16\n"},
         out="1e+16 \n1 \n-1e+16 \n1 \n\n"),

    # The help and version texts are written like any other output.
    shell_case("help to a full device",
               "tabsift -h > /dev/full; echo status $? >&2",
               err="tabsift: cannot write standard output: "
                   "No space left on device\nstatus 1\n"),
    shell_case("version to a full device",
               "tabsift --version > /dev/full; echo status $? >&2",
               err="tabsift: cannot write standard output: "
                   "No space left on device\nstatus 1\n"),
    shell_case("version to a closed standard output",
               "tabsift -v >&-; echo status $? >&2",
               err="tabsift: cannot write standard output: "
                   "Bad file descriptor\nstatus 1\n"),

    # An answer beyond the int range is an integer answer other than 0, 1, 2.
    case("an answer beyond the int range asks again",
         "-i a.dat,b.dat -o x.dat " + OFF, files=AB, stdin="4294967297\n2\n",
         out=PROMPT * 2, outfiles={"x.dat": "1 2 \n\n3 4 \n\n"}),
    case("input ending after an answer beyond the int range writes nothing",
         "-i a.dat,b.dat -o x.dat " + OFF, files=AB, stdin="4294967297",
         out=PROMPT * 2, err=NO_ANSWER, rc=1, outfiles={"x.dat": None}),
    case("a negative answer beyond the int range, then 1",
         "-i a.dat,b.dat -o x.dat " + OFF, files=AB,
         stdin="-99999999999999999999 1\n",
         out=PROMPT * 2 + "1 2 \n\n3 4 \n\n", outfiles={"x.dat": None}),

    # Both conditions of an and-filter must hold: the second holding alone
    # is not enough.
    case("and-filter drops a line whose first condition fails",
         "-i f.dat -f 1,gt5,a,lt10 " + OFF, files={"f.dat": "3\n7\n12\n"},
         out="7 \n\n"),
] + memory_cases()
