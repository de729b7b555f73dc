"""Bad input and hostile conditions: garbage bytes, huge lines and lists,
unusable inputs and outputs, closed streams, extreme numbers and options.
Nothing may crash or hang; every failure is named on standard error with a
non-zero status; nothing that was read is dropped silently."""

from casekit import case, off, shell_case

A = {"a.dat": "1 2\n3 4\n"}
INVALID = "Invalid value detected in data file: 1\n"
INT_NOTE = "Using Integers as data type\n"
FLOAT_NOTE = "Using Float as data type\n"
EXTREMES = ("1e308 -1e308 1e400 -1e400 4e-324 2147483647 2147483648 "
            "-2147483648 -2147483649 nan -nan inf 3.5e38 1e-46\n")

CASES = [
    # Garbage bytes: a token is cut at a NUL as the C library reads it; a
    # token without a number is reported and kept as an absent cell.
    off("NUL bytes and binary garbage", "-i g.dat",
        files={"g.dat": b"\x00\x01\x02 1\x00 2\n\xff\xfe\n3 4\n"},
        out="-- 1 2 \n-- -- -- \n3 4 -- \n\n", err=INVALID * 2),
    off("garbage on standard input", "", stdin=b"\x80\x00\x7f 5\r\n\x0b7\n", out="-- 5 \n7 -- \n\n",
        err="read from stdin\n" + INVALID),

    # Size: a line of ten megabytes, a hundred thousand columns.
    shell_case("a single line of ten megabytes",
               "yes 1 | head -n 5000000 | tr '\\n' ' ' > big.dat && "
               "tabsift -i big.dat --comments off -c s,c | tail -c 20",
               out="1 1 1 5e+06 5e+06 \n\n"),
    shell_case("a hundred thousand columns, summed down the columns",
               "awk 'BEGIN { for (l = 0; l < 3; l++) { for (i = 1; i <= 100000; i++) "
               "printf \"%d \", i; print \"\" } }' > wide.dat && "
               "tabsift -i wide.dat --comments off --col -c s | tail -n 2 | tail -c 30",
               out="299991 299994 299997 300000 \n\n"),

    # A hundred thousand input names: every one unusable, every one named.
    shell_case("a hundred thousand empty input names",
               "tabsift -i \"$(printf ',%.0s' $(seq 100000))x\" 2>err; echo rc=$?; "
               "sort err | uniq -c | sed 's/^ *//'",
               out="rc=1\n100000 tabsift: cannot open input file '': "
                   "No such file or directory\n"
                   "1 tabsift: cannot open input file 'x': No such file or directory\n"),
    shell_case("sixty thousand inputs, each a table",
               "echo 5 > a && tabsift -i \"$(printf 'a,%.0s' $(seq 60000))\" "
               "--comments off -c s | sort | uniq -c | sed 's/^ *//'",
               out="60000 \n60000 5 5 \n"),

    # An input that cannot be read as a file (a directory: see the read table).
    shell_case("a FIFO fed by another process",
               "mkfifo f && (printf '1 2\\n3 4\\n' > f &) && "
               "tabsift -i f,a.dat --comments off -c s",
               files=A, out="1 2 3 \n3 4 7 \n\n1 2 3 \n3 4 7 \n\n"),

    # Outputs that cannot be written (output files: see the output table).
    shell_case("a full device as standard output",
               "tabsift -i a.dat > /dev/full; echo rc=$?", files=A,
               out="rc=1\n",
               err="tabsift: cannot write standard output: No space left on device\n"),
    shell_case("standard output closed",
               "tabsift -i a.dat >&-; echo rc=$?", files=A, out="rc=1\n",
               err="tabsift: cannot write standard output: Bad file descriptor\n"),
    shell_case("a pipe closed early ends the run quietly",
               "yes '1 2 3' | head -n 300000 > big.dat && "
               "tabsift -i big.dat --comments off | head -n 1",
               out="1 2 3 \n"),

    # Extreme numbers for every cell type.
    off("extreme doubles", "-i x.dat", files={"x.dat": EXTREMES},
        out="1e+308 -1e+308 inf -inf 4.94066e-324 2.14748e+09 2.14748e+09 "
             "-2.14748e+09 -2.14748e+09 nan -nan inf 3.5e+38 1e-46 \n\n"),
    off("extreme floats round to infinity and zero", "--float -i x.dat", files={"x.dat": EXTREMES},
        err=FLOAT_NOTE, out="inf -inf inf -inf 0 2.14748e+09 2.14748e+09 -2.14748e+09 "
             "-2.14748e+09 nan -nan inf inf 0 \n\n"),
    off("ints outside 32 bits, nan and inf are invalid", "--int -i x.dat",
        files={"x.dat": EXTREMES}, err=INT_NOTE + INVALID * 10,
        out="-- -- -- -- 0 2147483647 -- -2147483648 -- -- -- -- -- 0 \n\n"),
    off("int sums past 32 bits are not wrapped", "--int -i x.dat -c s,a,m,d",
        files={"x.dat": "2147483647 2147483647\n"},
        err=INT_NOTE + "tabsift: sum does not fit in an int cell; written as absent\n",
        out="2147483647 2147483647 -- 2147483647 2147483647 0 \n\n"),

    # Extreme option values.
    off("negative precision is the default format", "-i a.dat --prec -5",
        files={"a.dat": "1.5 2\n"}, out="1.5 2 \n\n"),
    off("tolerance 1e308 admits everything", "-i a.dat -t 1e308 -f 1,lt0", files=A,
        out="1 2 \n3 4 \n\n"),
    off("tolerance -1e308 admits nothing", "-i a.dat -t -1e308 -f 1,gt0", files=A, out="\n"),
    off("int tolerance saturates", "--int -i a.dat -t 1e308 -f 1,lt0", files=A, err=INT_NOTE,
        out="1 2 \n3 4 \n\n"),
    off("huge filter column keeps nothing", "-i a.dat -f 99999999999999999999,gt0", files=A,
        out="\n"),
    off("huge filter keep column adds nothing", "-i a.dat -f 1,gt0,0,99999999999999999999,1",
        files=A, out="1 \n3 \n\n"),
    *[off(f"huge {option} {arg} is rejected", f"-i a.dat {option} {arg}", files=A, err=err, rc=1)
      for option, arg, err in [("-s", "1,99999999999999999999,1", "Wrong swap argument!\n"),
                               ("-s", "1,2,4294967297", "Wrong swap argument!\n"),
                               ("-g", "4294967297", "Wrong group argument\n")]],
    off("huge print column gives absent cells", "-i a.dat -p 4294967297,1", files=A,
        out="-- 1 \n-- 3 \n\n"),
]
