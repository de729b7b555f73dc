"""Output files: one per input; names of one file; files replaced only when
complete (links, permissions, special files kept); inputs not read in full
never replaced."""

import gzip

from casekit import case, header, shell_case, sized

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

# As root, give up the power to ignore permission bits.
AS_USER = ('if [ "$(id -u)" = 0 ]; then set -- setpriv '
           '--inh-caps=-dac_override,-dac_read_search '
           '--bounding-set=-dac_override,-dac_read_search; else set --; fi; ')

# Stops a run replacing a large d.dat while its temporary file exists, sends
# it $1 and resumes it (the rest of the arguments start it); says the status,
# whether d.dat is the old or the new text, and what files are left.
INTERRUPT = r"""
ulimit -c 0
awk 'BEGIN { for (i = 0; i < %d; i++) print i, i + 1, i + 2 }' > orig.dat
tabsift -i orig.dat -o sums.dat -c s --comments off
interrupt() {
  sig=$1; shift; start=$*
  for attempt in 1 2 3 4 5 6 7 8 9 10; do
    cp orig.dat d.dat; $start tabsift -i d.dat -o d.dat -c s --comments off & pid=$!
    until set -- .d.dat.tabsift-*; [ -e "$1" ] || ! kill -0 $pid 2>/dev/null; do :; done
    kill -STOP $pid 2>/dev/null; state=R
    while [ "$state" != T ] && [ "$state" != Z ] && [ -e /proc/$pid/stat ]; do
      state=$(sed 's/.*) //; s/ .*//' /proc/$pid/stat); done
    set -- .d.dat.tabsift-*; [ "$state" = T ] && [ -e "$1" ] && break
    kill -CONT $pid 2>/dev/null; wait $pid
  done
  kill -$sig $pid; kill -CONT $pid; { wait $pid; } 2>/dev/null; echo "$sig status $?"
  { cmp -s d.dat orig.dat || cmp -s d.dat sums.dat; } && echo whole
  ls -A -I .bin -I orig.dat -I sums.dat
}
""" % sized(200000, 50000)
SIGNALS = [("HUP", 1), ("INT", 2), ("QUIT", 3), ("USR1", 10), ("USR2", 12), ("PIPE", 13),
           ("ALRM", 14), ("TERM", 15), ("XCPU", 24), ("VTALRM", 26), ("PROF", 27)]

# A path of 4086 bytes: a temporary file's name beside it is too long.
DEEP = "/".join(["d" * 250] * 16)
LONG = DEEP + "/" + "f" * 69

CASES = [
    # Name k gets the table and comment block of input k; every name is written.
    case("an input without data lines: its name holds only its comments",
         THREE, files=RUNS, outfiles={"o1.dat": header(THREE) + "# run 0\n# T = 1\n",
                                      "o2.dat": "# run 1\n1 2 \n", "o3.dat": "# run 2\n3 4 \n"}),
] + [
    # Joined inputs routed one file per input: as without join.
    case("joined inputs, one file per input, comments " + mode, "-j " + THREE[:-3] + mode,
         files=RUNS, outfiles={"o1.dat": header("-j " + THREE[:-3] + mode) + first,
                               "o2.dat": "# run 1\n1 2 \n", "o3.dat": "# run 2\n3 4 \n"})
    for mode, first in [("all", "# run 0\n# T = 1\n"), ("1", "# run 0\n")]
] + [
    # The first input has no data; the gathered table stands for it.
    case("%s gathers every line into the first name" % op, GATHER + op, files=AB,
         outfiles={"x.dat": header(GATHER + op) + "# e\n" + table,
                   "y.dat": "# a\n", "z.dat": "# b\n"})
    for op, table in [("-f 1,gt2", "3 4 \n5 6 \n"), ("-g 1", "1 2 \n3 4 \n5 6 \n"),
                      ("-p 2", "2 \n4 \n6 \n")]
] + [
    # Two names for one file are refused before anything is written.
    case("the same name written two ways", "-i a.dat,b.dat -o x.dat,./x.dat",
         files=dict(AB, **{"x.dat": "old"}), rc=1, outfiles={"x.dat": "old"},
         err="tabsift: output files 'x.dat' and './x.dat' are the same file; nothing written\n"),
    # Special files are written in place once per name, so may repeat.
    case("/dev/null twice", "-i a.dat,b.dat -o /dev/null,/dev/null", files=AB),
    shell_case("a pipe named twice gets both tables in turn",
               "tabsift -i a.dat,b.dat -o /dev/stdout,/dev/stdout " + OFF + " | cat",
               files=AB, out="1 2 \n3 4 \n5 6 \n"),
    case("a name given twice where only the first is written",
         "-i a.dat -o x.dat,x.dat " + OFF, files=AB, stdin="2\n",
         out=None, outfiles={"x.dat": "1 2 \n3 4 \n\n"}),
] + [
    # A signal ignored from the start stays ignored.
    shell_case("each signal during a replacing write leaves the file whole, no temporary",
               INTERRUPT + "for sig in %s; do interrupt $sig env --default-signal; done; "
               "interrupt USR1 env --ignore-signal=USR1" % " ".join(s for s, _ in SIGNALS),
               out="".join("%s status %d\nwhole\nd.dat\n" % (s, 128 + n) for s, n in SIGNALS)
                   + "USR1 status 0\nwhole\nd.dat\n"),
] + [
    # Hard links keep the old text; a new file gets 0666 less the umask.
    shell_case("links are followed and kept; a new file's mode",
               "mkdir sub && cp d.dat sub/d.dat && chmod 604 sub/d.dat && "
               "ln sub/d.dat h.dat && ln -s sub/d.dat l.dat && ln -s ../l.dat sub/m.dat && "
               "ln -s new.dat n.dat && tabsift -i sub/m.dat -o sub/m.dat -c s " + OFF + " && "
               "(umask 027 && tabsift -i h.dat -o n.dat " + OFF + ") && "
               "(umask 0 && tabsift -i h.dat -o n0.dat " + OFF + ") && "
               "stat -c '%F %N' l.dat sub/m.dat n.dat && stat -c %a sub/d.dat new.dat n0.dat && "
               "cat sub/d.dat new.dat h.dat && ls -A -I .bin sub",
               files={"d.dat": OLD},
               out="symbolic link 'l.dat' -> 'sub/d.dat'\n"
                   "symbolic link 'sub/m.dat' -> '../l.dat'\n"
                   "symbolic link 'n.dat' -> 'new.dat'\n604\n640\n666\n"
                   + SUMS + "1 2 \n3 4 \n\n" + OLD + "d.dat\nm.dat\n"),
    # As root; a file whose owner the run cannot give is written in place.
    shell_case("set-user-ID, set-group-ID and sticky bits, mode, owner and group are kept",
               '[ "$(id -u)" = 0 ] || exit 77; names=; '
               "for f in 4755:4321:4322 2755:4321:4322 1755:4321:4322 604:4321:4322 640:0:4322; do "
               "m=${f%%:*}; printf '1 2\\n' > $m.dat; chown ${f#*:} $m.dat; chmod $m $m.dat; "
               "names=$names,$m.dat; done; names=${names#,}; "
               "tabsift -i $names -o $names -c s " + OFF + "; "
               "stat -c '%n %a %u %g' $(echo $names | tr , ' '); cat 4755.dat; "
               "printf '1 2\\n3 4\\n' > n.dat; chown 4321:4322 n.dat; chmod 666 n.dat; "
               "i=$(stat -c %i n.dat); setpriv --inh-caps=-chown --bounding-set=-chown "
               "tabsift -i n.dat -o n.dat -p 1 " + OFF + "; "
               '[ "$(stat -c %i n.dat)" = "$i" ] && echo in place; '
               "stat -c '%a %u %g' n.dat; cat n.dat; ls -A -I .bin",
               out="4755.dat 4755 4321 4322\n2755.dat 2755 4321 4322\n1755.dat 1755 4321 4322\n"
                   "604.dat 604 4321 4322\n640.dat 640 0 4322\n1 2 3 \n"
                   "in place\n666 4321 4322\n1 \n3 \n\n"
                   "1755.dat\n2755.dat\n4755.dat\n604.dat\n640.dat\nn.dat\n"),
    # Over the size limit, not writable, no temporary file possible (written
    # in place, cut to length), inputs not read in full; the others are written.
    shell_case("files that cannot be replaced",
               AS_USER + "awk 'BEGIN { for (i = 0; i < 1000; i++) print i }' > big.dat && "
               "cp big.dat orig.dat && chmod 444 w.dat && chmod 200 u.dat && chmod 555 ro && "
               "(ulimit -f 4; \"$@\" tabsift -i big.dat,w.dat,ro/r.dat,u.dat,d,c.dat "
               "-o big.dat,w.dat,ro/r.dat,u.dat,d,c.dat -c s " + OFF + "); echo rc=$?; "
               "chmod 600 u.dat; cmp big.dat orig.dat && cat w.dat ro/r.dat u.dat; "
               "ls -A -I .bin; ls -A ro",
               files={"w.dat": OLD, "ro/r.dat": OLD + "#" * 40 + "\n", "u.dat": OLD,
                      "d/x": "1\n", "c.dat": CUT},
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
    shell_case("a path near the length limit is left as it was",
               "top=$PWD; for d in $(echo %s | tr / ' '); do mkdir $d && cd $d; done; "
               "printf '1 2\\n' > %s; cd \"$top\"; tabsift -i %s -o %s -c s; echo rc=$?; cat %s"
               % (DEEP, "f" * 69, LONG, LONG, LONG),
               out="rc=1\n1 2\n",
               err="tabsift: cannot write output file '%s': File name too long\n" % LONG),
    shell_case("/dev/stdout and its kin are written at their position, never truncated",
               "echo log > log.txt; tabsift -i a.dat -o /dev/stdout " + OFF + " >> log.txt; "
               "tabsift -i a.dat -o /dev/stderr " + OFF + " 2>> log.txt; "
               "tabsift -i a.dat -o /dev/fd/3 " + OFF + " 3>> log.txt; "
               "tabsift -i a.dat -o /proc/self/fd/1 " + OFF + " >> log.txt; "
               "{ echo head; tabsift -i a.dat -o /dev/stdout " + OFF + "; echo foot; } >> log.txt; "
               "cp a.dat d.dat; tabsift -i d.dat -o /dev/stdout -c s " + OFF + " >> d.dat; "
               "cat log.txt d.dat",
               files={"a.dat": OLD},
               out="log\n" + "1 2 \n3 4 \n\n" * 4 + "head\n1 2 \n3 4 \n\nfoot\n" + OLD + SUMS),
    shell_case("standard input that cannot be read is not replaced",
               "tabsift -m -o d.dat " + OFF + " 0>>d.dat; echo rc=$?; cat d.dat; "
               "tabsift -m -o /dev/stdin " + OFF + " 0<&-; echo rc=$?",
               files={"d.dat": OLD}, out="rc=1\n" + OLD + "rc=1\n",
               err="".join("read from stdin\n"
                           "tabsift: cannot read standard input: Bad file descriptor\n"
                           "tabsift: output file '%s' is left untouched: it is "
                           "standard input, which was not read in full\n" % n
                           for n in ("d.dat", "/dev/stdin"))),
]
