"""Output files: one per input with its table and comment block; names of one
file; files replaced only when complete (no temporary file left, links,
permissions and special files kept); inputs not read in full never replaced."""

import gzip

from casekit import case, header, shell_case

OFF = "--comments off"
# A run that died after its header, and two complete runs.
RUNS = {"crashed.dat": "# run 0\n# T = 1\n", "r1.dat": "# run 1\n1 2\n", "r2.dat": "# run 2\n3 4\n",
        "o3.dat": "left by an earlier run\n"}
THREE = "-i crashed.dat r1.dat r2.dat -o o1.dat,o2.dat,o3.dat --comments all"
AB = {"a.dat": "# a\n1 2\n3 4\n", "b.dat": "# b\n5 6\n", "e.dat": "# e\n"}
GATHER = "-i e.dat,a.dat,b.dat -o x.dat,y.dat,z.dat --comments all "
OLD = "1 2\n3 4\n"
SUMS = "1 2 3 \n3 4 7 \n\n"
# A gzip stream cut short after its first member.
CUT = gzip.compress(b"1 2\n", mtime=0) + gzip.compress(b"3 4\n", mtime=0)[:12]

# Before a run as another user: as root, give up the power to ignore
# permission bits, so that they hold as they do for anyone else.
AS_USER = ('if [ "$(id -u)" = 0 ]; then set -- setpriv '
           '--inh-caps=-dac_override,-dac_read_search '
           '--bounding-set=-dac_override,-dac_read_search; else set --; fi; ')

# Stops an in-place run on a large d.dat while its temporary file exists,
# sends it $SIG and lets it go on; a run that ends first is tried again.
INTERRUPT = r"""
awk 'BEGIN { for (i = 0; i < 200000; i++) print i, i + 1, i + 2 }' > d.dat
cp d.dat orig.dat
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  env --default-signal=INT tabsift -i d.dat -o d.dat -c s --comments off &
  pid=$!
  until set -- .d.dat.tabsift-*; [ -e "$1" ] || ! kill -0 $pid 2>/dev/null; do :; done
  kill -STOP $pid 2>/dev/null
  state=R
  while [ "$state" != T ] && [ "$state" != Z ] && [ -e /proc/$pid/stat ]; do
    state=$(sed 's/.*) //; s/ .*//' /proc/$pid/stat)
  done
  set -- .d.dat.tabsift-*
  if [ "$state" = T ] && [ -e "$1" ]; then
    kill -$SIG $pid; kill -CONT $pid
    { wait $pid; } 2>/dev/null; echo "status $?"
    break
  fi
  kill -CONT $pid 2>/dev/null; wait $pid; cp orig.dat d.dat
done
cmp d.dat orig.dat && echo intact
rm orig.dat; ls -A -I .bin
"""

CASES = [
    # One output file per input (words after the -i list too): name k gets the
    # table and comment block of input k; every name is written.
    case("an input without data lines: its name holds only its comments",
         THREE, files=RUNS, outfiles={"o1.dat": header(THREE) + "# run 0\n# T = 1\n",
                                      "o2.dat": "# run 1\n1 2 \n", "o3.dat": "# run 2\n3 4 \n"}),
] + [
    # The first input has no data; the gathered table stands for it.
    case("%s gathers every line into the first name" % op, GATHER + op, files=AB,
         outfiles={"x.dat": header(GATHER + op) + "# e\n" + table,
                   "y.dat": "# a\n", "z.dat": "# b\n"})
    for op, table in [("-f 1,gt2", "3 4 \n5 6 \n"), ("-g 1", "1 2 \n3 4 \n5 6 \n"),
                      ("-p 2", "2 \n4 \n6 \n")]
] + [
    # Two names for one file are refused before anything is written; a name
    # given twice where only the first is written is no such pair.
    case("the same name written two ways", "-i a.dat,b.dat -o x.dat,./x.dat",
         files=dict(AB, **{"x.dat": "old"}), rc=1, outfiles={"x.dat": "old"},
         err="tabsift: output files 'x.dat' and './x.dat' are the same file; nothing written\n"),
    case("a name given twice where only the first is written",
         "-i a.dat -o x.dat,x.dat " + OFF, files=AB, stdin="2\n",
         out=None, outfiles={"x.dat": "1 2 \n3 4 \n\n"}),
] + [
    # Signals during the write: the temporary file goes, the input stays.
    shell_case("SIG%s during an in-place write keeps the input" % sig,
               "SIG=%s; %s" % (sig, INTERRUPT), out="status %d\nintact\nd.dat\n" % rc)
    for sig, rc in [("INT", 130), ("TERM", 143)]
] + [
    # What is kept of the replaced file: links (followed, dangling, hard),
    # permission bits and owner; a new file gets 0666 less the umask.
    shell_case("links are followed and kept, so are permission bits and owner",
               "mkdir sub && cp d.dat sub/d.dat && chmod 604 sub/d.dat && "
               "chown 4321:4322 sub/d.dat 2>/dev/null; before=$(stat -c %u:%g sub/d.dat); "
               "ln sub/d.dat h.dat && ln -s sub/d.dat l.dat && ln -s ../l.dat sub/m.dat && "
               "ln -s new.dat n.dat && tabsift -i sub/m.dat -o sub/m.dat -c s " + OFF + " && "
               "(umask 027 && tabsift -i h.dat -o n.dat " + OFF + ") && "
               "(umask 0 && tabsift -i h.dat -o n0.dat " + OFF + ") && "
               "stat -c '%F %N' l.dat sub/m.dat n.dat && stat -c %a sub/d.dat new.dat n0.dat && "
               "[ \"$(stat -c %u:%g sub/d.dat)\" = \"$before\" ] && echo owner kept && "
               "cat sub/d.dat new.dat h.dat && ls -A -I .bin sub",
               files={"d.dat": OLD},
               out="symbolic link 'l.dat' -> 'sub/d.dat'\n"
                   "symbolic link 'sub/m.dat' -> '../l.dat'\n"
                   "symbolic link 'n.dat' -> 'new.dat'\n604\n640\n666\nowner kept\n"
                   + SUMS + "1 2 \n3 4 \n\n" + OLD + "d.dat\nm.dat\n"),
    # A failed write (over the file size limit) leaves the old file and no
    # temporary file; a file the run may not write is not replaced; where no
    # temporary file can be made the file is written in place; an input that
    # was not read in full (unreadable, a directory, a damaged stream) is
    # never replaced; the other outputs are written.
    shell_case("files that cannot be replaced",
               AS_USER + "awk 'BEGIN { for (i = 0; i < 1000; i++) print i }' > big.dat && "
               "cp big.dat orig.dat && chmod 444 w.dat && chmod 200 u.dat && chmod 555 ro && "
               "(ulimit -f 4; \"$@\" tabsift -i big.dat,w.dat,ro/r.dat,u.dat,d,c.dat "
               "-o big.dat,w.dat,ro/r.dat,u.dat,d,c.dat -c s " + OFF + "); echo rc=$?; "
               "chmod 600 u.dat; cmp big.dat orig.dat && cat w.dat ro/r.dat u.dat; "
               "ls -A -I .bin; ls -A ro",
               files={"w.dat": OLD, "ro/r.dat": OLD, "u.dat": OLD, "d/x": "1\n", "c.dat": CUT},
               out="rc=1\n" + OLD + SUMS[:-1] + OLD
                   + "big.dat\nc.dat\nd\norig.dat\nro\nu.dat\nw.dat\nr.dat\n",
               err="tabsift: cannot open input file 'u.dat': Permission denied\n"
                   "tabsift: cannot open input file 'd': Is a directory\n"
                   "tabsift: cannot read input file 'c.dat': gzip data cut short\n"
                   "tabsift: cannot write output file 'big.dat': File too large\n"
                   "tabsift: cannot write output file 'w.dat': Permission denied\n"
                   + "".join("tabsift: output file '%s' is left untouched: it is input file "
                             "'%s', which was not read in full\n" % (n, n)
                             for n in ("u.dat", "d", "c.dat")),
               outfiles={"d/x": "1\n", "c.dat": CUT}),
    shell_case("standard input that cannot be read is not replaced",
               "tabsift -m -o d.dat " + OFF + " 0>>d.dat; echo rc=$?; cat d.dat",
               files={"d.dat": OLD}, out="rc=1\n" + OLD,
               err="read from stdin\n"
                   "tabsift: cannot read standard input: Bad file descriptor\n"
                   "tabsift: output file 'd.dat' is left untouched: it is "
                   "standard input, which was not read in full\n"),
]
