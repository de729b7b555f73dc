"""Compressed inputs, recognised by their first bytes and decoded as they are
read (standard input too), made here from the texts the cases expect; and the
byte order mark at the start of an input."""

import bz2
import functools
import gzip
import lzma
import subprocess

from casekit import case, header

TABLE = "1 2 \n3 4 \n\n"


def zst(data):
    # The zstd command comes with the build dependencies.
    return subprocess.run(["zstd", "-q", "-c"], input=data, check=True,
                          capture_output=True).stdout


xz, bz, gz = lzma.compress, bz2.compress, functools.partial(gzip.compress, mtime=0)


def flipped(data, position):
    return bytes(b ^ (i == position) for i, b in enumerate(data))


GOOD = b"1 2\n3 4\n"
MIXED = "-i a,b,c,d,e --comments all -p T,1"
# An empty stream is an empty input. Damaged streams keep what was decoded
# before the damage and fail like a read error, after the output is written:
# cut short, a flipped byte (a checksum at the end of a member finds it only
# after its lines were decoded), trailing bytes.
DAMAGED = {"e.gz": gz(b""), "e.bz2": bz(b""), "e.xz": xz(b""), "e.zst": zst(b""),
           "c.gz": gz(GOOD + b"5 6")[:-4],  # in its trailer, after a line without LF
           "c.zst": zst(GOOD)[:-2],  # in its checksum
           "c.xz": xz(GOOD)[:-6],  # in its index
           "c.bz2": bz(GOOD)[:-3],  # in its end marker
           "f.gz": gz(GOOD) + flipped(gz(b"5 6\n"), 11),
           "f.zst": zst(GOOD) + flipped(zst(b"5 6\n"), 12),
           "f.xz": flipped(xz(GOOD), 8),  # in its header
           "t.gz": gz(GOOD) + b"more\n"}

CASES = [
    # The name says nothing: the first bytes do.
    case("compressed and plain inputs in one list, with comments and parameters",
         MIXED, files={"a": "# T = 1\n10\n", "b": gz(b"# T = 2\n20\n"),
                       "c": zst(b"# T = 3\n30\n"), "d": xz(b"# T = 4\n40\n"),
                       "e": bz(b"# T = 5\n50\n")},
         out=header(MIXED) + "".join("# T = %d\n" % i for i in range(1, 6))
         + "1 10 \n2 20 \n3 30 \n4 40 \n5 50 \n\n"),
    # The byte order mark at the start of an input is no part of its text.
    case("gzip on standard input, a byte order mark before a comment line", "--comments 1",
         stdin=gz(b"\xef\xbb\xbf# T = 3\n1 2\n3 4\n"), err="read from stdin\n",
         out=header("--comments 1") + "# T = 3\n" + TABLE),
    case("empty and damaged streams", "-i " + ",".join(DAMAGED) + " --comments off",
         files=DAMAGED, out=TABLE * 4 + "1 2 \n3 4 \n1 6 \n\n" + TABLE * 2, rc=1,
         err="".join("tabsift: cannot read input file '%s': %s\n" % row for row in [
             ("c.gz", "gzip data cut short"), ("c.zst", "zstd data cut short"),
             ("c.xz", "xz data cut short"), ("c.bz2", "bzip2 data cut short"),
             ("f.gz", "gzip data corrupt: checksum mismatch"),
             ("f.zst", "zstd data corrupt: checksum mismatch"),
             ("f.xz", "xz data corrupt: invalid data"),
             ("t.gz", "gzip data corrupt: trailing data after the stream")])),
]
