// Compressed streams told by their first bytes and decoded whatever the
// size of the reads; lines whatever the block and piece sizes.
#include "input/byte_source.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "input/compression_format.h"
#include "input/line_reader.h"

namespace tabsift {
namespace {

using namespace std::string_literals;

const std::string kText = "# T = 1\n1 2\n3 4\n";

// kText compressed by gzip -9 -n, zstd, xz and bzip2.
const std::string kGzip =
    "\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03SV\x08Q\xb0U0\xe4"
    "2T0\xe2"
    "2V0\xe1\x02\x00\xac\xb1\xa1\xcd\x10\x00\x00\x00"s;
const std::string kZstd =
    "(\xb5/\xfd$\x10\x81\x00\x00# T = 1\n1 2\n3 4\n\xbe\x1a&\x8b"s;
const std::string kXz =
    "\xfd"
    "7zXZ\x00\x00\x04\xe6\xd6\xb4"
    "F\x02\x00!\x01\x16\x00\x00\x00t/\xe5"
    "\xa3\x01\x00\x0f# T = 1\n1 2\n3 4\n\x00\xab]\x81jV\x1e\x00i\x00\x01(\x10"
    "\xe5\x0bl`\x1f\xb6\xf3}\x01\x00\x00\x00\x00\x04YZ"s;
const std::string kBzip2 =
    "BZh91AY&SYh0\xca\x91\x00\x00\x04Z\x00\x00\x10H\x00<\x02\x04\x00 \x00"
    "\x22\x1e\xa0"
    "d \xc9\x88\xec\xd5I\xb4\xc0'\xc5\xdc\x91N\x14$\x1a\x0c"
    "2\xa4@"s;

const std::vector<std::string> kStreams = {kGzip, kZstd, kXz, kBzip2};

// The text a source gives, and its failure.
using Decoded = std::pair<std::string, std::string>;

Decoded decode(int fd, std::size_t step) {
  std::unique_ptr<ByteSource> source = openByteSource(fd);
  Decoded decoded;
  std::string block(step, '\0');
  while (std::size_t n = source->read(block.data(), step))
    decoded.first.append(block, 0, n);
  decoded.second = source->failure();
  ::close(fd);
  return decoded;
}

Decoded decode(const std::string& bytes, std::size_t step) {
  const int fd = memfd_create("byte-source-test", 0);
  EXPECT_EQ(::pwrite(fd, bytes.data(), bytes.size(), 0),
            static_cast<ssize_t>(bytes.size()));
  return decode(fd, step);
}

// Heads that only begin like a signature stay plain; whole ones are below.
TEST(CompressionFormatTest, PartSignaturesArePlain) {
  for (const std::string& head :
       {"BZh9 1 2 3\n"s, "BZh9"s, "\x1f\x8b\x08\xff rest"s, "\x1f\x8b\x07\x00"s,
        "\x1f 1 2\n"s, "\x28\xb5\x2f"s,
        "\xfd"
        "7zXZ"s,
        ""s})
    EXPECT_EQ(formatOf(head), CompressionFormat::kPlain) << head;
}

TEST(ByteSourceTest, EveryFormatDecodesWhateverTheReadsAndDamageFails) {
  for (const std::string& stream : kStreams) {
    for (std::size_t step : {1, 7, 1 << 16}) {
      // Streams that follow one another are read in full.
      EXPECT_EQ(decode(stream, step), (Decoded{kText, ""})) << step;
      EXPECT_EQ(decode(stream + stream, step), (Decoded{kText + kText, ""}))
          << step;
    }
    // One byte per read of a packet socket.
    int fds[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_SEQPACKET, 0, fds), 0);
    for (char c : stream) ASSERT_EQ(::write(fds[1], &c, 1), 1);
    ::close(fds[1]);
    EXPECT_EQ(decode(fds[0], 64), (Decoded{kText, ""}));
    // Cut anywhere but between two streams: a prefix, and a failure.
    const std::string two = stream + stream;
    for (std::size_t length = kSignatureBytes; length < two.size(); ++length) {
      if (length == stream.size()) continue;
      const Decoded cut = decode(two.substr(0, length), 3);
      EXPECT_NE(cut.second, "") << stream.size() << " cut at " << length;
      EXPECT_EQ((kText + kText).substr(0, cut.first.size()), cut.first);
    }
  }
  const std::string plain = "BZh9 1\n\x1f\x8b\n"s + std::string(100000, 'x');
  EXPECT_EQ(decode(plain, 4096).first, plain);
  EXPECT_EQ(decode("1", 3).first, "1");
}

using Lines = std::vector<std::string>;

// Hands out `text` at most `piece` bytes at a time.
struct TextSource : ByteSource {
  TextSource(std::string text, std::size_t piece)
      : text_(std::move(text)), piece_(piece) {}
  std::size_t read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, piece_, text_.size() - at_});
    std::memcpy(buffer, text_.data() + at_, n);
    at_ += n;
    return n;
  }
  std::string text_;
  std::size_t piece_, at_ = 0;
};

Lines linesOf(const std::string& text, std::size_t block, std::size_t piece) {
  TextSource source(text, piece);
  ReadBuffer buffer;
  LineReader reader(source, buffer, block);
  reader.skipByteOrderMark();
  Lines lines;
  std::string_view line;
  while (reader.next(&line)) lines.emplace_back(line);
  EXPECT_EQ(reader.nothingRead(), text.empty());
  return lines;
}

TEST(LineReaderTest, SplitsAtLineFeedsWhateverTheBlockSize) {
  const std::string bom = "\xef\xbb\xbf";
  const std::pair<std::string, Lines> cases[] = {
      {std::string("a b\n\nlong line here\r\nx\0y\nlast", 29),
       {"a b", "", "long line here\r", std::string("x\0y", 3), "last"}},
      // Only a whole byte order mark at the start is dropped.
      {"1\n2\n", {"1", "2"}},
      {"", {}},
      {"\n", {""}},
      {bom, {}},
      {"\xef\xbb", {"\xef\xbb"}},
      {bom + "# a\n" + bom + "1\n", {"# a", bom + "1"}}};
  for (const auto& [text, lines] : cases) {
    for (std::size_t block : {1, 2, 3, 7, 64, 1 << 20})
      for (std::size_t piece : {1, 5, 1 << 20})
        EXPECT_EQ(linesOf(text, block, piece), lines) << block << " " << piece;
  }
}

}  // namespace
}  // namespace tabsift
