"""Output files on small file systems: without a free inode, full, a
directory the run may not write, a file bind-mounted over another. No
failure may cost the old text of a file. Each case mounts tmpfs file systems
in a mount namespace of its own (as root); where the host does not allow
that, the cases are skipped."""

from casekit import shell_case

# Runs t.sh in a mount namespace of its own, or skips the case.
IN_NAMESPACE = ("unshare -m sh -c 'mkdir .p && mount -t tmpfs tmpfs .p && umount .p' "
                "2>/dev/null || exit 77; rmdir .p; exec unshare -m sh t.sh")

# orig.dat, about 480 KB, and the text that replaces it (sums.dat), made
# beside it where nothing stands in the way.
PREPARE = r"""
awk 'BEGIN { for (i = 0; i < 27000; i++) print i * 3, i * 3 + 1, i * 3 + 2 }' > orig.dat
tabsift -i orig.dat -o sums.dat -c s --comments off
tabsift -i orig.dat -o firsts.dat -p 1 --comments off
mkdir m
# mount OPTIONS: a fresh tmpfs at m.
fresh() { mount -t tmpfs -o "$1" tmpfs m; }
# What became of FILE.
outcome() {
  if cmp -s "$1" orig.dat; then echo intact
  elif cmp -s "$1" sums.dat; then echo sums
  elif cmp -s "$1" firsts.dat; then echo firsts
  else echo damaged; fi
}
"""

# As root without the power to ignore permission bits.
AS_USER = "setpriv --inh-caps=-dac_override,-dac_read_search " \
          "--bounding-set=-dac_override,-dac_read_search"

NO_SPACE = "tabsift: cannot write output file '%s': No space left on device\n"

CASES = [
    # No free inode, with little and with much room, and no free block: the
    # temporary file cannot be made or written, the file stays as it was.
    shell_case("no free inode or no room: the file is left as it was", IN_NAMESPACE,
               files={"t.sh": PREPARE + r"""
for options in size=600k,nr_inodes=2 size=6m,nr_inodes=2 size=600k; do
  fresh $options; cp orig.dat m/d.dat
  (cd m && tabsift -i d.dat -o d.dat -c s --comments off); echo "$options rc=$?"
  outcome m/d.dat; ls -A m; umount m
done
"""}, out="".join("%s rc=1\nintact\nd.dat\n" % o
                  for o in ["size=600k,nr_inodes=2", "size=6m,nr_inodes=2", "size=600k"]),
               err=NO_SPACE % "d.dat" * 3),

    # A writable file in a directory the run may not write: written in place
    # when its room can be reserved (longer and shorter texts, the file cut
    # to the new length, the same inode), left as it was when not.
    shell_case("a directory without write permission: in place only with room", IN_NAMESPACE,
               files={"t.sh": PREPARE + r"""
for run in "600k -c s" "2m -c s" "2m -p 1"; do
  set -- $run; fresh size=$1; shift
  mkdir m/ro; cp orig.dat m/ro/d.dat; chmod 666 m/ro/d.dat; chmod 555 m/ro
  inode=$(stat -c %i m/ro/d.dat)
  """ + AS_USER + r""" tabsift -i m/ro/d.dat -o m/ro/d.dat "$@" --comments off
  echo "$run rc=$?"; outcome m/ro/d.dat
  [ "$(stat -c %i.%a m/ro/d.dat)" = "$inode.666" ] && echo same file; ls -A m/ro; umount m
done
"""}, out="600k -c s rc=1\nintact\nsame file\nd.dat\n"
          "2m -c s rc=0\nsums\nsame file\nd.dat\n"
          "2m -p 1 rc=0\nfirsts\nsame file\nd.dat\n",
               err=NO_SPACE % "m/ro/d.dat"),

    # A file bind-mounted over another cannot be renamed over: it is written
    # in place, and no temporary file stays behind.
    shell_case("a bind-mounted output file is written in place", IN_NAMESPACE,
               files={"t.sh": PREPARE + r"""
for op in "-c s" "-p 1"; do
  cp orig.dat src.dat; : > b.dat; mount --bind src.dat b.dat
  tabsift -i b.dat -o b.dat $op --comments off; echo "$op rc=$?"
  umount b.dat; outcome src.dat; ls -A -I .bin -I t.sh -I m -I orig.dat -I sums.dat -I firsts.dat
done
"""}, out="-c s rc=0\nsums\nb.dat\nsrc.dat\n-p 1 rc=0\nfirsts\nb.dat\nsrc.dat\n"),
]
