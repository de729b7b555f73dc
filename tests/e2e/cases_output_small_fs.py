"""Output files on small file systems (tmpfs, mounted as root in a mount
namespace; skipped where that is not allowed): no failure costs a file."""

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
