"""Compressed inputs, recognised by their first bytes and decoded as they
are read, and the byte order mark at the start of an input. The compressed
inputs are made here from the same texts the cases expect."""

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


FORMATS = [("gzip", "r.gz", gz), ("zstd", "r.zst", zst), ("xz", "r.xz", xz),
           ("bzip2", "r.bz2", bz)]

CASES = []
for label, name, pack in FORMATS:
    CASES += [
        case(label + " file with comments and parameters",
             "-i {} --comments all -p T,1".format(name),
             files={name: pack(TEXT)},
             out=header("-i {} --comments all -p T,1".format(name)) +
             "# T = 3\n3 1 \n3 3 \n\n"),
        case(label + " on standard input", "--comments 1", stdin=pack(TEXT),
             out=header("--comments 1") + "# T = 3\n" + TABLE, err=STDIN),
        # A name says nothing: the same stream under a plain name.
        case(label + " under any name", "-i data.txt --comments off",
             files={"data.txt": pack(TEXT)}, out=TABLE),
    ]

GOOD = b"1 2\n3 4\n"
SECOND = gz(b"5 6\n")

CASES += [
    case("concatenated gzip members are read in full",
         "-i r.gz --comments all",
         files={"r.gz": gz(b"# a\n1 2\n") + gz(b"# b\n3 4\n") + gz(b"5 6\n")},
         out=header("-i r.gz --comments all") + "# a\n# b\n1 2 \n3 4 \n5 6 \n\n"),
    case("concatenated zstd frames, xz and bzip2 streams",
         "-i a.zst,b.xz,c.bz2 --comments off",
         files={"a.zst": zst(b"1\n") + zst(b"2\n"), "b.xz": xz(b"3\n") + xz(b"4\n"),
                "c.bz2": bz(b"5\n") + bz(b"6\n")},
         out="1 \n2 \n\n3 \n4 \n\n5 \n6 \n\n"),

    # Damaged streams keep what was decoded before the damage and fail
    # like a read error, after the output is written.
    case("gzip cut short keeps the lines before the cut",
         "-i r.gz --comments off",
         files={"r.gz": gz(GOOD) + SECOND[:12]}, out=TABLE, rc=1,
         err=unreadable("r.gz", "gzip data cut short (unexpected end of file)")),
    case("zstd cut short in its checksum", "-i r.zst --comments off",
         files={"r.zst": zst(GOOD)[:-2]}, out=TABLE, rc=1,
         err=unreadable("r.zst", "zstd data cut short (unexpected end of file)")),
    case("xz cut short in its index", "-i r.xz --comments off",
         files={"r.xz": xz(GOOD)[:-6]}, out=TABLE, rc=1,
         err=unreadable("r.xz", "xz data cut short (unexpected end of file)")),
    case("bzip2 cut short in its end marker", "-i r.bz2 --comments off",
         files={"r.bz2": bz(GOOD)[:-3]}, out=TABLE, rc=1,
         err=unreadable("r.bz2", "bzip2 data cut short (unexpected end of file)")),
    case("gzip cut short on standard input", "--comments off",
         stdin=gz(GOOD) + SECOND[:12], out=TABLE, rc=1,
         err=STDIN + "tabsift: cannot read standard input: "
         "gzip data cut short (unexpected end of file)\n"),
    # The checksum at the end of a member finds the damage only after its
    # lines were decoded.
    case("a flipped byte in gzip data fails its checksum",
         "-i r.gz --comments off",
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
    case("an empty compressed file is an empty input",
         "-i e.gz,e.bz2,e.xz,e.zst,a.dat --comments off",
         files={"e.gz": gz(b""), "e.bz2": bz(b""), "e.xz": xz(b""),
                "e.zst": zst(b""), "a.dat": "7\n"},
         out="7 \n\n"),
    case("plain text that begins like a signature stays plain",
         "-i a.dat,b.dat,c.dat --comments off",
         files={"a.dat": "BZh9 1 2\n", "b.dat": b"\x1f\x8b\n3\n", "c.dat": b"\x1f"},
         out="-- 1 2 \n\n-- \n3 \n\n-- \n\n",
         err="Invalid value detected in data file: 1\n"
         "Invalid value detected in data file: 2\n"
         "Invalid value detected in data file: 3\n"),
    case("compressed and plain inputs in one list, parameters from each",
         "-i a.dat,b.gz,c.zst,d.xz,e.bz2 -p T,1",
         files={"a.dat": "# T = 1\n10\n", "b.gz": gz(b"# T = 2\n20\n"),
                "c.zst": zst(b"# T = 3\n30\n"), "d.xz": xz(b"# T = 4\n40\n"),
                "e.bz2": bz(b"# T = 5\n50\n")},
         out=header("-i a.dat,b.gz,c.zst,d.xz,e.bz2 -p T,1") +
         "1 10 \n2 20 \n3 30 \n4 40 \n5 50 \n\n"),

    # A byte order mark at the start of an input is no part of its text.
    case("byte order mark before a comment line", "-i a.dat --comments 1",
         files={"a.dat": b"\xef\xbb\xbf# T = 3\n1 2\n3 4\n"},
         out=header("-i a.dat --comments 1") + "# T = 3\n" + TABLE),
    case("byte order mark on standard input", "--comments off",
         stdin=b"\xef\xbb\xbf1 2\n3 4\n", out=TABLE, err=STDIN),
    case("byte order mark inside a compressed stream", "-i a.gz -p T,1",
         files={"a.gz": gz(b"\xef\xbb\xbf" + TEXT)},
         out=header("-i a.gz -p T,1") + "3 1 \n3 3 \n\n"),
    case("only the first byte order mark is skipped", "-i a.dat --comments off",
         files={"a.dat": b"\xef\xbb\xbf1\n\xef\xbb\xbf2\n"}, out="1 \n-- \n\n",
         err="Invalid value detected in data file: 1\n"),
]
