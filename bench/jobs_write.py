"""Writing: a table read and written straight back out, so the time is the
load plus the formatting of every cell. The peers force every field through
a number and print it again (awk's number-to-text is printf %.6g, the same
text as tabsift's default)."""
from bench import job

AWK_RENUMBER = "'{{for(i=1;i<=NF;i++)$i=$i+0}}1' {file}"

JOBS = [
    job("write floats back out", "floats.dat",
        "-i {file} --comments off",
        {"mawk": "mawk " + AWK_RENUMBER,
         "gawk": "gawk " + AWK_RENUMBER}),
    job("write floats, 10 digits", "floats.dat",
        "-i {file} --comments off --prec 10",
        {"mawk": "mawk '{{for(i=1;i<=NF;i++)$i=sprintf(\"%#.10g\",$i)}}1' {file}"}),
    job("write floats as float cells", "floats.dat",
        "--float -i {file} --comments off",
        {"mawk": "mawk " + AWK_RENUMBER}),
    job("write ints back out", "ints.dat",
        "--int -i {file} --comments off",
        {"mawk": "mawk " + AWK_RENUMBER,
         "gawk": "gawk " + AWK_RENUMBER}),
]
