"""Statistics on the 100 MB float file (10 columns): a plain read-and-write
run as the base, then column statistics (which add one line per letter to
the written table) and line statistics (which add one cell per line and
letter), beside GNU datamash computing the same (datamash writes only the
result line). Compare each statistic's time with the base to see what it
adds."""
from bench import job


def datamash(op, columns=10):
    return "datamash -C -W " + " ".join("%s %d" % (op, k + 1)
                                        for k in range(columns)) + " < {file}"


def datamash_all(ops):
    return ("datamash -C -W " +
            " ".join("%s %d" % (op, k + 1) for op in ops for k in range(10)) +
            " < {file}")


BASE = "-i {file} --comments off"
AWK_LINE_SUM = ("mawk '!/^#/ {{s = 0; for (i = 1; i <= NF; i++) s += $i; "
                "print $0, s}}' {file}")

JOBS = [
    # The base that the statistics add to; no peer does this pass alike.
    job("stats base: read and write floats", "floats.dat", BASE),
    job("column sum", "floats.dat", BASE + " --col -c s",
        {"datamash": datamash("sum")}),
    job("column average", "floats.dat", BASE + " --col -c a",
        {"datamash": datamash("mean")}),
    job("column sample std deviation", "floats.dat", BASE + " --col -c d",
        {"datamash": datamash("sstdev")}),
    job("column count", "floats.dat", BASE + " --col -c c",
        {"datamash": datamash("count")}),
    job("column median", "floats.dat", BASE + " --col -c m",
        {"datamash": datamash("median")}),
    # Goal: within 1.1 times the median's time.
    job("column 90th percentile", "floats.dat", BASE + " --col -c p90",
        {"datamash": datamash("perc:90")}),
    job("column standard error", "floats.dat", BASE + " --col -c e"),
    # Goal: within 1.2 times the standard error's time; no peer blocks.
    job("column blocked standard error", "floats.dat", BASE + " --col -c b"),
    job("column s,a,m,d,c", "floats.dat", BASE + " --col -c s,a,m,d,c",
        {"datamash": datamash_all(["sum", "mean", "median", "sstdev", "count"])}),
    job("column s,a,m,d as float cells", "floats.dat",
        "--float " + BASE + " --col -c s,a,m,d",
        {"datamash": datamash_all(["sum", "mean", "median", "sstdev"])}),
    job("column s,a,m,d as int cells", "ints.dat",
        "--int " + BASE + " --col -c s,a,m,d",
        {"datamash": datamash_all(["sum", "mean", "median", "sstdev"])}),
    job("line sum", "floats.dat", BASE + " -c s", {"mawk": AWK_LINE_SUM}),
]
