"""Output files on small file systems (tmpfs, and ext4 and ext2 on loop
devices, mounted as root in a mount namespace; skipped where that is not
allowed): no failure costs a file, and a file written in place is either
complete or as it was."""

from casekit import shell_case

# orig.dat replaced in a fresh tmpfs by a user bound by permission bits; then
# a file bind-mounted over another (no rename).
SCRIPT = r"""
awk 'BEGIN { for (i = 0; i < 27000; i++) print i * 3, i * 3 + 1, i * 3 + 2 }' > orig.dat
tabsift -i orig.dat -o sums.dat -c s --comments off
tabsift -i orig.dat -o firsts.dat -p 1 --comments off
kept() { for f in orig sums firsts; do cmp -s $1 $f.dat && echo $f; done; }
mkdir m; printf '%s\n' | while read options mode op; do
  mount -t tmpfs -o $options tmpfs m; mkdir m/d; cp orig.dat m/d/f; chmod 666 m/d/f
  chmod $mode m/d; inode=$(stat -c %%i m/d/f)
  setpriv --inh-caps=-dac_override --bounding-set=-dac_override tabsift -i m/d/f -o m/d/f $op \
    --comments off
  echo "$options $mode $op: $? $(kept m/d/f)" \
    "$(stat -c %%i m/d/f | sed s/^$inode$/same/) $(ls -A m/d)"
  umount m
done
for op in "-c s" "-p 1"; do
  cp orig.dat src.dat; : > b.dat; mount --bind src.dat b.dat
  tabsift -i b.dat -o b.dat $op --comments off
  echo "bound $op: $? $(kept src.dat) $(ls -A | grep -c tabsift-)"; umount b.dat
done
"""

RUNS = [  # fs options, directory mode, operation: status, what the file holds
    ("size=600k,nr_inodes=3 755 -c s", 1, "orig"),  # no free inode
    ("size=6m,nr_inodes=3 755 -c s", 1, "orig"),    # no free inode, room
    ("size=600k 755 -c s", 1, "orig"),              # full
    ("size=600k 555 -c s", 1, "orig"),              # in place, no room
    ("size=2m 555 -c s", 0, "sums"),                # in place, longer
    ("size=2m 555 -p 1", 0, "firsts"),              # in place, shorter
]

CASES = [
    shell_case("no free inode, no room, no write permission, a bind mount",
               "unshare -m sh -c 'mkdir .p && mount -t tmpfs tmpfs .p' 2>/dev/null || exit 77; "
               "rmdir .p; exec unshare -m sh t.sh",
               files={"t.sh": SCRIPT % "\\n".join(r for r, _, _ in RUNS)},
               out="".join("%s: %d %s same f\n" % r for r in RUNS)
                   + "bound -c s: 0 sums 0\nbound -p 1: 0 firsts 0\n",
               err="".join("tabsift: cannot write output file 'm/d/f': No space left on device\n"
                           for _, rc, _ in RUNS if rc)),
]

# Writing in place on ext4 (fallocate) and ext2 (none: the C library's way,
# which reads the file): full, with room, write-only, and while another
# holds the lock (until the script closes its end of a FIFO: once the run
# is seen waiting, or when the script ends early).
LOOP = r"""
awk 'BEGIN { for (i = 0; i < 27000; i++) print i * 3, i * 3 + 1, i * 3 + 2 }' > orig.dat
tabsift -i orig.dat -o sums.dat -c s --comments off
tabsift -i orig.dat -o firsts.dat -p 1 --comments off
user() { setpriv --inh-caps=-dac_override --bounding-set=-dac_override tabsift "$@" --comments off; }
kept() { for f in orig sums firsts; do cmp -s m/d/f $f.dat && echo $f; done; }
fresh() { cp orig.dat m/d/f; chmod ${1:-666} m/d/f; }
mkdir m; mkfifo go
for fs in ext4 ext2; do
  truncate -s 4M $fs.img; mkfs.$fs -q $fs.img; mount -o loop $fs.img m; mkdir m/d; fresh; chmod 555 m/d
  dd if=/dev/zero of=m/fill bs=64k 2>/dev/null; shape=$(stat -c '%s %b' m/d/f)
  user -i m/d/f -o m/d/f -c s
  echo "$fs full -c s: $? $(kept) $(stat -c '%s %b' m/d/f | sed "s/^$shape$/same/")"
  user -i m/d/f -o m/d/f -p 1; echo "$fs full -p 1: $? $(kept)"; rm m/fill
  fresh; user -i m/d/f -o m/d/f -c s; echo "$fs -c s: $? $(kept)"
  fresh 222; user -i orig.dat -o m/d/f -c s; s=$?; chmod 666 m/d/f; echo "$fs write-only: $s $(kept)"
  fresh; flock m/d/f sh -c 'read x' < go & holder=$!
  exec 3> go
  until grep -q " WRITE $holder " /proc/locks; do sleep 0.01; done
  setpriv --inh-caps=-dac_override --bounding-set=-dac_override \
    tabsift -i orig.dat -o m/d/f -c s --comments off 3>&- & run=$!
  until grep -q -- "-> FLOCK *ADVISORY *WRITE $run " /proc/locks || ! kill -0 $run 2>/dev/null; do
    sleep 0.01; done
  echo "$fs waits: $(kept)"; exec 3>&-; wait $holder; wait $run; echo "$fs locked: $? $(kept)"
  umount m
done
"""

FULL = "tabsift: cannot write output file 'm/d/f': No space left on device\n"
WAITING = ("tabsift: output file 'm/d/f' is locked by another process: waiting to write it "
           "in place\n")

# The text of a file written in place kept under TMPDIR when no memory file
# can be made (a preload takes memfd away): a full TMPDIR, a missing one,
# and /tmp when it is unset.
ASIDE = r"""
printf '#include <errno.h>\nint memfd_create(const char* n, unsigned f) { return errno = ENOSYS, -1; }\n' > no.c
cc -shared -fPIC -o no.so no.c 2>/dev/null || exit 77
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
printf '1 2\n3 4\n' > d/f; chmod 666 d/f; chmod 555 d; mkdir t; mount -t tmpfs -o size=4k tmpfs t
seq 2000 > t/x 2>/dev/null
for tmp in t /nonexistent ""; do
  TMPDIR=$tmp LD_PRELOAD=$PWD/no.so setpriv --inh-caps=-dac_override \
    --bounding-set=-dac_override tabsift -i d/f -o d/f -c s --comments off
  echo "'$tmp': $? $(cat d/f | tr '\n' ,)"
done
TMPDIR=/nonexistent setpriv --inh-caps=-dac_override --bounding-set=-dac_override \
  tabsift -i d/f -o d/f -p 1 --comments off
echo "memory: $? $(cat d/f | tr '\n' ,)"
"""

MOUNT_OR_SKIP = ("unshare -m sh -c 'mkdir .p && mount -t tmpfs tmpfs .p' 2>/dev/null || exit 77; "
                 "rmdir .p; ")

CASES += [
    shell_case("in place on ext4 and ext2: full, room, write-only, locked",
               MOUNT_OR_SKIP + "exec unshare -m sh t.sh", files={"t.sh": LOOP},
               out="".join("%s full -c s: 1 orig same\n%s full -p 1: 0 firsts\n%s -c s: 0 sums\n"
                           "%s write-only: %s\n%s waits: orig\n%s locked: 0 sums\n"
                           % (fs, fs, fs, fs, w, fs, fs)
                           for fs, w in (("ext4", "0 sums"), ("ext2", "1 orig"))),
               err=FULL + WAITING + FULL + "tabsift: cannot write output file 'm/d/f': Permission "
                   "denied\n" + WAITING),
    shell_case("in place: the text kept aside under TMPDIR, or in memory",
               MOUNT_OR_SKIP + "exec unshare -m sh t.sh", files={"t.sh": ASIDE, "d/.keep": ""},
               out="'t': 1 1 2,3 4,\n'/nonexistent': 1 1 2,3 4,\n'': 0 1 2 3 ,3 4 7 ,,\n"
                   "memory: 0 1 ,3 ,,\n",
               err="tabsift: cannot write the temporary text of output file 'd/f' under 't' "
                   "(TMPDIR): No space left on device\n"
                   "tabsift: cannot make the temporary text of output file 'd/f' under "
                   "'/nonexistent' (TMPDIR): No such file or directory\n"),
]
