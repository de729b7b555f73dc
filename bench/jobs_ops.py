"""Operations on the large files: the row filter and the grouping, beside
the peers doing the same work. The first two jobs write the same lines, one
by plain reading and writing and one through a filter that keeps every line,
so their difference is the cost of the filter itself."""
from bench import job

# Every value of floats.dat lies in [-1000, 1000].
JOBS = [
    # The base for the filter's own cost; the peers' like-for-like pass (every
    # field turned into a number and back) is in jobs_write.py.
    job("read+write floats", "floats.dat", "-i {file} --comments off"),
    job("filter keeping all floats", "floats.dat",
        "-i {file} --comments off -f 1,gt-2000",
        {"mawk": "mawk '$1 > -2000' {file}"}),
    job("filter $1 > 0.5", "floats.dat",
        "-i {file} --comments off -f 1,gt0.5",
        {"mawk": "mawk '$1 > 0.5' {file}",
         "gawk": "gawk '$1 > 0.5' {file}"}),
    job("filter, cut to columns 1,2", "floats.dat",
        "-i {file} --comments off -f 1,gt0.5,0,1,2",
        {"mawk": "mawk '$1 > 0.5 {{print $1, $2}}' {file}"}),
    job("select columns 3,1,2", "floats.dat",
        "-i {file} --comments off -p 3,1,2",
        {"mawk": "mawk '!/^#/ {{print $3, $1, $2}}' {file}"}),
    job("group by key (1000 keys)", "keyed.dat",
        "-i {file} --comments off -g 1",
        {"datamash": "datamash -W -C -s -g 1 " +
                     " ".join("collapse %d" % c for c in range(2, 11)) +
                     " < {file}",
         "mawk": "mawk '!/^#/ {{k=$1; $1=\"\"; a[k]=a[k] $0}} "
                 "END {{for (k in a) print k a[k]}}' {file}"}),
]
