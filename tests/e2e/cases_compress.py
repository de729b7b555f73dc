"""Compressed inputs, recognised by their first bytes and decoded as they
are read, and the byte order mark at the start of an input. The compressed
inputs are made here from the same texts the cases expect; streams that
follow one another and every cut are for the unit tests."""

import bz2
import gzip
import lzma
import subprocess

from casekit import case, header

TEXT = b"# T = 3\n1 2\n3 4\n"
TABLE = "1 2 \n3 4 \n\n"
STDIN = "read from stdin\n"


def gz(data):
    return gzip.compress(data, mtime=0)


def zst(data):
    # The zstd command comes with the build dependencies.
    return subprocess.run(["zstd", "-q", "-c"], input=data, check=True,
                          capture_output=True).stdout


def xz(data):
    return lzma.compress(data)


def bz(data):
    return bz2.compress(data)


def flipped(data, position):
    damaged = bytearray(data)
    damaged[position] ^= 0x01
    return bytes(damaged)


def unreadable(name, reason):
    return "tabsift: cannot read input file '{}': {}\n".format(name, reason)


FORMATS = [("gzip", gz), ("zstd", zst), ("xz", xz), ("bzip2", bz)]
GOOD = b"1 2\n3 4\n"
MIXED = "-i a,b,c,d,e --comments all -p T,1"

CASES = [
    # The name says nothing: the first bytes do.
    case("compressed and plain inputs in one list, with comments and parameters",
         MIXED, files={"a": "# T = 1\n10\n", "b": gz(b"# T = 2\n20\n"),
                       "c": zst(b"# T = 3\n30\n"), "d": xz(b"# T = 4\n40\n"),
                       "e": bz(b"# T = 5\n50\n")},
         out=header(MIXED) + "".join("# T = %d\n" % i for i in range(1, 6))
         + "1 10 \n2 20 \n3 30 \n4 40 \n5 50 \n\n"),
    case("an empty compressed file is an empty input",
         "-i e.gz,e.bz2,e.xz,e.zst,a.dat --comments off",
         files={"e.gz": gz(b""), "e.bz2": bz(b""), "e.xz": xz(b""),
                "e.zst": zst(b""), "a.dat": "7\n"}, out="7 \n\n"),
] + [
    case(label + " on standard input", "--comments 1", stdin=pack(TEXT),
         out=header("--comments 1") + "# T = 3\n" + TABLE, err=STDIN)
    for label, pack in FORMATS
] + [
    # Damaged streams keep what was decoded before the damage and fail
    # like a read error, after the output is written.
    case(label + " cut short keeps the lines before the cut",
         "-i r --comments off", files={"r": cut}, out=TABLE, rc=1,
         err=unreadable("r", label + " data cut short (unexpected end of file)"))
    for label, cut in [("gzip", gz(GOOD) + gz(b"5 6\n")[:12]),
                       ("zstd", zst(GOOD)[:-2]),  # in its checksum
                       ("xz", xz(GOOD)[:-6]),  # in its index
                       ("bzip2", bz(GOOD)[:-3])]  # in its end marker
] + [
    # The checksum at the end of a member finds the damage only after its
    # lines were decoded.
    case("a flipped byte in gzip data fails its checksum", "-i r.gz --comments off",
         files={"r.gz": gz(GOOD) + flipped(gz(b"5 6\n"), 11)},
         out="1 2 \n3 4 \n1 6 \n\n", rc=1,
         err=unreadable("r.gz", "gzip checksum mismatch: the data is corrupt")),
    case("a flipped byte in zstd data", "-i r.zst --comments off",
         files={"r.zst": zst(GOOD) + flipped(zst(b"5 6\n"), 12)}, out=TABLE, rc=1,
         err=unreadable("r.zst", "zstd: Restored data doesn't match checksum")),
    case("a flipped byte in an xz header", "-i r.xz --comments off",
         files={"r.xz": flipped(xz(GOOD), 8)}, out="", rc=1,
         err=unreadable("r.xz", "corrupt xz data")),
    case("trailing bytes after a gzip stream", "-i r.gz --comments off",
         files={"r.gz": gz(GOOD) + b"more\n"}, out=TABLE, rc=1,
         err=unreadable("r.gz", "trailing data after the gzip stream")),

    # A byte order mark at the start of an input is no part of its text.
    case("byte order mark inside a compressed stream, before a comment line",
         "-i a.gz -p T,1", files={"a.gz": gz(b"\xef\xbb\xbf" + TEXT)},
         out=header("-i a.gz -p T,1") + "3 1 \n3 3 \n\n"),
]
