"""Hostile conditions: huge lines and lists, unusable inputs and outputs,
closed streams, extreme numbers and options."""

from casekit import off_rows, shell_case, sized

ONES = sized(5000000, 1000000)
INPUTS = sized(60000, 5000)

A = {"a.dat": "1.5 2\n3 4\n"}
INT_NOTE = "Using Integers as data type\n"
SWAP = "Wrong swap argument!\n"

CASES = [
    shell_case("a single line of %d megabytes; a hundred thousand columns, summed down"
               % (ONES * 2 // 1000000),
               "yes 1 | head -n %d | tr '\\n' ' ' > big.dat && " % ONES +
               "awk 'BEGIN { for (l = 0; l < 3; l++) { for (i = 1; i <= 100000; i++) "
               "printf \"%d \", i; print \"\" } }' > wide.dat && "
               "tabsift -i big.dat --comments off -c s,c | tail -c 20 && "
               "tabsift -i wide.dat --comments off --col -c s | tail -n 2 | tail -c 30",
               out="1 1 1 %g %g \n\n299991 299994 299997 300000 \n\n" % (ONES, ONES)),

    shell_case("%d inputs, each a table" % INPUTS,
               "echo 5 > a && tabsift -i \"$(printf 'a,%%.0s' $(seq %d))\" "
               "--comments off -c s | sort | uniq -c | sed 's/^ *//'" % INPUTS,
               out="%d \n%d 5 5 \n" % (INPUTS, INPUTS)),

    shell_case("a FIFO fed by another process",
               "mkfifo f && (printf '1 2\\n3 4\\n' > f &) && "
               "tabsift -i f,a.dat --comments off -c s",
               files=A, out="1 2 3 \n3 4 7 \n\n1.5 2 3.5 \n3 4 7 \n\n"),

    # Past the file size limit: reported, not killed.
    shell_case("help, version and tables to a full, closed or limited standard output",
               "ulimit -f 1; for run in '-h >/dev/full' '-v >&-' '-i a.dat >/dev/full' "
               "'-i a.dat >&-' '-i a.dat --prec 999 >o.txt' '-i a.dat --prec 999 -o p.txt'; do "
               "eval tabsift $run; echo rc=$?; done", files=A, out="rc=1\n" * 6,
               err="".join("tabsift: cannot write %s: %s\n" % (o, reason) for o, reason in
                           [("standard output", "No space left on device"),
                            ("standard output", "Bad file descriptor")] * 2
                           + [("standard output", "File too large"),
                              ("output file 'p.txt'", "File too large")])),
    shell_case("a pipe closed early ends the run quietly",
               "yes '1 2 3' | head -n 300000 > big.dat && "
               "tabsift -i big.dat --comments off | head -n 1",
               out="1 2 3 \n"),

    *off_rows([
        ("negative precision is the default format", "-i a.dat --prec -5", "1.5 2 \n3 4 \n\n"),
        ("tolerance 1e308 admits everything", "-i a.dat -t 1e308 -f 1,lt0", "1.5 2 \n3 4 \n\n"),
        ("tolerance -1e308 admits nothing", "-i a.dat -t -1e308 -f 1,gt0", "\n"),
        ("int tolerance saturates", "--int -i a.dat -t 1e308 -f 1,lt0", "1 2 \n3 4 \n\n", INT_NOTE),
        ("huge filter column keeps nothing", "-i a.dat -f 99999999999999999999,gt0", "\n"),
        ("huge filter keep column adds nothing", "-i a.dat -f 1,gt0,0,99999999999999999999,1",
         "1.5 \n3 \n\n"),
        ("huge print column gives absent cells", "-i a.dat -p 4294967297,1", "-- 1.5 \n-- 3 \n\n"),
    ], files=A),
    *off_rows([("huge swap column is rejected", "-i a.dat -s 1,99999999999999999999,1", "", SWAP),
               ("huge swap file is rejected", "-i a.dat -s 1,2,4294967297", "", SWAP),
               ("huge group column is rejected", "-i a.dat -g 4294967297", "",
                "Wrong group argument\n")], files=A, rc=1),
]
