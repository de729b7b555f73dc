"""At scale: the 1 GB files (the same generator, ten times as long) through
a plain pass, column statistics, column medians and grouping; many small
inputs: 20,000 files of 50 lines given as separate words, as a shell glob
hands them over (the names come from small/list.txt, since the run happens
inside that folder); and a narrow table, one column of 5 million lines,
where what a line costs outweighs what its cell costs."""
from bench import job

BASE = "-i {file} --comments off"
AWK_RENUMBER = "'{{for(i=1;i<=NF;i++)$i=$i+0}}1'"

JOBS = [
    job("1 GB: read and write every number", "floats_1gb.dat", BASE, scale=True),
    job("1 GB: column s,a,d,c", "floats_1gb.dat", BASE + " --col -c s,a,d,c",
        scale=True),
    job("1 GB: column medians", "floats_1gb.dat", BASE + " --col -c m",
        scale=True),
    job("1 GB: group by key (1000 keys)", "keyed_1gb.dat", BASE + " -g 1",
        scale=True),
    job("20,000 small files: read and write", "small",
        "--comments off $(tr , ' ' < list.txt)",
        {"mawk": "mawk " + AWK_RENUMBER + " $(tr , ' ' < list.txt)",
         "gawk": "gawk " + AWK_RENUMBER + " $(tr , ' ' < list.txt)"}),
    job("narrow: 5 million lines of one column, read and write", "narrow.dat", BASE,
        {"mawk": "mawk " + AWK_RENUMBER + " {file}"}),
    job("narrow: column sum of 5 million lines", "narrow.dat", BASE + " -r --col -c s",
        {"datamash": "datamash -W sum 1 < {file}",
         "mawk": "mawk '{{s += $1}} END {{print s}}' {file}"}),
]
