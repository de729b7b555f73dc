// Compressed streams told by their first bytes and decoded whatever the
// size of the reads; damage keeps the text before it and fails.
#include "table/byte_source.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "table/compression_format.h"

namespace tabsift {
namespace {

using namespace std::string_literals;

const std::string kText = "# T = 1\n1 2\n3 4\n";

// kText compressed by gzip -9 -n, zstd, xz and bzip2.
const std::string kGzip =
    "\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03\x53\x56\x08\x51\xb0\x55\x30\xe4"
    "\x32\x54\x30\xe2\x32\x56\x30\xe1\x02\x00\xac\xb1\xa1\xcd\x10\x00\x00\x00"s;
const std::string kZstd =
    "\x28\xb5\x2f\xfd\x24\x10\x81\x00\x00\x23\x20\x54\x20\x3d\x20\x31\x0a\x31"
    "\x20\x32\x0a\x33\x20\x34\x0a\xbe\x1a\x26\x8b"s;
const std::string kXz =
    "\xfd\x37\x7a\x58\x5a\x00\x00\x04\xe6\xd6\xb4\x46\x02\x00\x21\x01\x16\x00"
    "\x00\x00\x74\x2f\xe5\xa3\x01\x00\x0f\x23\x20\x54\x20\x3d\x20\x31\x0a\x31"
    "\x20\x32\x0a\x33\x20\x34\x0a\x00\xab\x5d\x81\x6a\x56\x1e\x00\x69\x00\x01"
    "\x28\x10\xe5\x0b\x6c\x60\x1f\xb6\xf3\x7d\x01\x00\x00\x00\x00\x04\x59\x5a"s;
const std::string kBzip2 =
    "\x42\x5a\x68\x39\x31\x41\x59\x26\x53\x59\x68\x30\xca\x91\x00\x00\x04\x5a"
    "\x00\x00\x10\x48\x00\x3c\x02\x04\x00\x20\x00\x22\x1e\xa0\x64\x20\xc9\x88"
    "\xec\xd5\x49\xb4\xc0\x27\xc5\xdc\x91\x4e\x14\x24\x1a\x0c\x32\xa4\x40"s;

const std::vector<std::string> kStreams = {kGzip, kZstd, kXz, kBzip2};

struct Decoded {
  std::string text;
  std::string failure;
  bool operator==(const Decoded&) const = default;
};

// What a source makes of the descriptor `fd`, read `step` bytes at a time.
Decoded decode(int fd, std::size_t step) {
  std::unique_ptr<ByteSource> source = openByteSource(fd);
  Decoded decoded;
  std::string block(step, '\0');
  while (std::size_t n = source->read(block.data(), step)) {
    decoded.text.append(block, 0, n);
  }
  decoded.failure = source->failure();
  ::close(fd);
  return decoded;
}

Decoded decode(const std::string& bytes, std::size_t step) {
  const int fd = memfd_create("byte-source-test", 0);
  EXPECT_EQ(::write(fd, bytes.data(), bytes.size()),
            static_cast<ssize_t>(bytes.size()));
  ::lseek(fd, 0, SEEK_SET);
  return decode(fd, step);
}

TEST(CompressionFormatTest, WholeSignaturesOnly) {
  const std::pair<std::string, CompressionFormat> cases[] = {
      {kGzip.substr(0, 10), CompressionFormat::kGzip},
      {kZstd.substr(0, 10), CompressionFormat::kZstd},
      {"\x50\x2a\x4d\x18\x00\x00\x00\x00"s, CompressionFormat::kZstd},
      {kXz.substr(0, 10), CompressionFormat::kXz},
      {kBzip2.substr(0, 10), CompressionFormat::kBzip2},
      {"BZh9\x17\x72\x45\x38\x50\x90"s, CompressionFormat::kBzip2},
      // Text that begins like a signature stays plain.
      {"BZh9 1 2 3\n", CompressionFormat::kPlain},
      {"BZh9", CompressionFormat::kPlain},
      {"\x1f\x8b\x08\xff rest"s, CompressionFormat::kPlain},
      {"\x1f\x8b\x07\x00"s, CompressionFormat::kPlain},
      {"\x1f 1 2\n", CompressionFormat::kPlain},
      {"\x28\xb5\x2f", CompressionFormat::kPlain},
      {"\xfd"
       "7zXZ"s,
       CompressionFormat::kPlain},
      {"", CompressionFormat::kPlain},
  };
  for (const auto& [head, format] : cases)
    EXPECT_EQ(formatOf(head), format) << head;
}

TEST(ByteSourceTest, EveryFormatDecodesWhateverTheReadSize) {
  for (const std::string& stream : kStreams) {
    for (std::size_t step : {1, 7, 1 << 16}) {
      // Streams that follow one another are read in full.
      EXPECT_EQ(decode(stream, step), (Decoded{kText, ""})) << step;
      EXPECT_EQ(decode(stream + stream, step), (Decoded{kText + kText, ""}))
          << step;
    }
  }
  const std::string plain = "BZh9 1\n\x1f\x8b\n"s + std::string(100000, 'x');
  EXPECT_EQ(decode(plain, 4096).text, plain);
  EXPECT_EQ(decode("1", 3).text, "1");
}

TEST(ByteSourceTest, DamageKeepsAPrefixAndFails) {
  for (const std::string& stream : kStreams) {
    for (std::size_t length = kSignatureBytes; length < stream.size();
         ++length) {
      const Decoded cut = decode(stream.substr(0, length), 3);
      EXPECT_NE(cut.failure, "") << stream.size() << " cut at " << length;
      EXPECT_EQ(kText.substr(0, cut.text.size()), cut.text);
    }
    const Decoded trailing = decode(stream + "junk", 5);
    EXPECT_EQ(trailing.text, kText);
    EXPECT_NE(trailing.failure, "");
  }
}

TEST(ByteSourceTest, SignatureArrivingByteByByte) {
  // Every read of a packet socket hands out one packet.
  int fds[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds), 0);
  for (char c : kBzip2) ASSERT_EQ(::write(fds[1], &c, 1), 1);
  ::close(fds[1]);
  EXPECT_EQ(decode(fds[0], 64), (Decoded{kText, ""}));
}

}  // namespace
}  // namespace tabsift
