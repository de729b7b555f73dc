"""Reading: whole runs whose output is tiny (the filter keeps no line), so
the time is the load of the file, from a named file and from standard input,
for each cell type, and of the same table as CSV."""
from bench import job

AWK_NONE = "'$1 < -1e300'"
MLR_NONE = ("mlr --inidx --ifs space --repifs --skip-comments "
            "filter '$1 < -1e300'")

JOBS = [
    job("load floats (keeps no line)", "floats.dat",
        "-i {file} --comments off -f 1,lt-1e300",
        {"mawk": "mawk " + AWK_NONE + " {file}",
         "gawk": "gawk " + AWK_NONE + " {file}",
         "mlr": MLR_NONE + " {file}"}),
    job("load floats from stdin", "floats.dat",
        "--comments off -f 1,lt-1e300 < {file}",
        {"mawk": "mawk " + AWK_NONE + " < {file}"}),
    job("load floats as float cells", "floats.dat",
        "--float -i {file} --comments off -f 1,lt-1e300",
        {"mawk": "mawk " + AWK_NONE + " {file}"}),
    # The same numbers as the first job, separated by commas: within 1.2
    # times its time.
    job("load floats as CSV (-d ,)", "floats.csv",
        "-d , -i {file} --comments off -f 1,lt-1e300",
        {"mawk": "mawk -F, " + AWK_NONE + " {file}"}),
    job("load ints as int cells", "ints.dat",
        "--int -i {file} --comments off -f 1,lt-1e9",
        {"mawk": "mawk '$1 < -1e9' {file}"}),
]
