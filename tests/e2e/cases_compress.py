"""Compressed inputs, told by their first bytes (standard input too); the
byte order mark."""

import bz2
import functools
import gzip
import lzma
import subprocess
import zlib

from casekit import case, header

TABLE = "1 2 \n3 4 \n\n"


def zst(data, *options):
    return subprocess.run(["zstd", "-q", "-c", *options], input=data, check=True,
                          capture_output=True).stdout


def xz_tool(data, *options):
    return subprocess.run(["xz", "-c", *options], input=data, check=True,
                          capture_output=True).stdout


xz, bz, gz = lzma.compress, bz2.compress, functools.partial(gzip.compress, mtime=0)


def flipped(data, position):
    return bytes(b ^ (i == position) for i, b in enumerate(data))


def gz_member(text, flags, crc_flip=0):
    # Flags: 0x02 header CRC (flipped by crc_flip), 0x04 extra, 0x08 name, 0x10 comment.
    head = b"\x1f\x8b\x08" + bytes([flags]) + b"\0\0\0\0\0\xff"
    head += (b"\x05\0ab\x01\0c" if flags & 4 else b"") + (b"name.dat\0" if flags & 8 else b"")
    head += b"a comment\0" if flags & 16 else b""
    head += ((zlib.crc32(head) ^ crc_flip) & 0xffff).to_bytes(2, "little") if flags & 2 else b""
    deflate = zlib.compressobj(9, zlib.DEFLATED, -15)
    return (head + deflate.compress(text) + deflate.flush()
            + zlib.crc32(text).to_bytes(4, "little") + len(text).to_bytes(4, "little"))


GOOD = b"1 2\n3 4\n"
# Members holding 0 to 15: gzip with each set of optional fields, zstd after
# skippable frames, xz of each check with padding, bzip2 of each block size
# after an empty one; then bzip2 over two blocks of the smallest size.
NUMBERS = [b"%d\n" % k for k in range(16)]
CHECKS = [lzma.CHECK_NONE, lzma.CHECK_CRC32, lzma.CHECK_CRC64, lzma.CHECK_SHA256]
SKIP = [bytes([0x50 + k]) + b"\x2a\x4d\x18" + bytes([k, 0, 0, 0]) + b"x" * k for k in range(16)]
SHAPES = {"g": b"".join(gz_member(t, k << 1 | (k & 1)) for k, t in enumerate(NUMBERS)),
          "z": b"".join(SKIP[15 - k] + zst(t) for k, t in enumerate(NUMBERS)) + SKIP[0],
          "x": b"".join(xz(t, check=CHECKS[k % 4]) + b"\0" * 4 * ((k + 1) % 3)
                        for k, t in enumerate(NUMBERS)),
          "b": bz(b"") + b"".join(bz(t, k % 9 + 1) for k, t in enumerate(NUMBERS))}
LONG = b"".join(b"%d\n" % i for i in range(30000))
SHAPES.update({"b%d" % k: bz(LONG, k) + bz(LONG, 10 - k) for k in range(1, 10)})
MIXED = "-i a,b,c,d,e --comments all -p T,1"
# Empty streams; damaged ones keep what was decoded before the damage.
DAMAGED = {"e.gz": gz(b""), "e.bz2": bz(b""), "e.xz": xz(b""), "e.zst": zst(b""),
           "c.gz": gz(GOOD + b"5 6")[:-4],  # in its trailer, after a line without LF
           "c.zst": zst(GOOD)[:-2],  # in its checksum
           "c.xz": xz(GOOD)[:-6],  # in its index
           "c.bz2": bz(GOOD)[:-3],  # in its end marker
           "f.gz": gz(GOOD) + flipped(gz(b"5 6\n"), 11),
           "f.zst": zst(GOOD) + flipped(zst(b"5 6\n"), 12),
           "f.xz": flipped(xz(GOOD), 8),  # in its header
           "h.gz": gz_member(GOOD, 2, crc_flip=1),
           "t.gz": gz(GOOD) + b"more\n", "t.zst": zst(GOOD) + b"more\n",
           "t.xz": xz(GOOD) + b"more\n", "t.bz2": bz(GOOD) + b"more\n",
           "p.xz": xz(GOOD) + b"\0" * 6, "s.gz": gz(GOOD) + b"\x1f", "s.bz2": bz(GOOD) + b"BAD"}

CASES = [
    case("compressed and plain inputs in one list, with comments and parameters",
         MIXED, files={"a": "# T = 1\n10\n", "b": gz(b"# T = 2\n20\n"),
                       "c": zst(b"# T = 3\n30\n"), "d": xz(b"# T = 4\n40\n"),
                       "e": bz(b"# T = 5\n50\n")},
         out=header(MIXED) + "".join("# T = %d\n" % i for i in range(1, 6))
         + "1 10 \n2 20 \n3 30 \n4 40 \n5 50 \n\n"),
    case("gzip on standard input, a byte order mark before a comment line", "--comments 1",
         stdin=gz(b"\xef\xbb\xbf# T = 3\n1 2\n3 4\n"), err="read from stdin\n",
         out=header("--comments 1") + "# T = 3\n" + TABLE),
    case("empty and damaged streams", "-i " + ",".join(DAMAGED) + " --comments off",
         files=DAMAGED, out=TABLE * 4 + "1 2 \n3 4 \n1 6 \n\n" + TABLE * 8, rc=1,
         err="".join("tabsift: cannot read input file '%s': %s\n" % row for row in [
             ("c.gz", "gzip data cut short"), ("c.zst", "zstd data cut short"),
             ("c.xz", "xz data cut short"), ("c.bz2", "bzip2 data cut short"),
             ("f.gz", "gzip data corrupt: checksum mismatch"),
             ("f.zst", "zstd data corrupt: checksum mismatch"),
             ("f.xz", "xz data corrupt: invalid data"),
             ("h.gz", "gzip data corrupt: checksum mismatch")] + [
             ("t." + f, name + " data corrupt: trailing data after the stream")
             for f, name in [("gz", "gzip"), ("zst", "zstd"), ("xz", "xz"), ("bz2", "bzip2")]] + [
             ("p.xz", "xz data corrupt: invalid stream padding"), ("s.gz", "gzip data cut short"),
             ("s.bz2", "bzip2 data corrupt: invalid header")])),
    # From a pipe the zstd command writes the window --long asks for.
    case("zstd windows and xz dictionaries of gigabytes", "-i w28,w31,x9e,d1536 --comments off",
         files={"w28": zst(GOOD, "--long=28"), "w31": zst(GOOD, "--long=31"),
                "x9e": xz_tool(GOOD, "-9e"), "d1536": xz_tool(GOOD, "--lzma2=dict=1536MiB")},
         out=TABLE * 4),
    case("members of every less common shape: counts and sums",
         "-i " + ",".join(SHAPES) + " --int --col -c c,s -r --comments off", files=SHAPES,
         err="Using Integers as data type\n",
         out="16 \n120 \n\n" * 4 + "60000 \n899970000 \n\n" * 9),
]
