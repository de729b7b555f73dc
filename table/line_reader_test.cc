#include "table/line_reader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace tabsift {
namespace {

// Lines read from a pipe carrying `text`, with the given block size.
std::vector<std::string> linesOf(const std::string& text, std::size_t block) {
  int fds[2];
  EXPECT_EQ(::pipe(fds), 0);
  std::thread writer([&] {
    std::size_t done = 0;
    while (done < text.size()) {
      ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::close(fds[1]);
  });
  std::vector<std::string> lines;
  std::unique_ptr<ByteSource> source = openByteSource(fds[0]);
  LineReader reader(*source, block);
  reader.skipByteOrderMark();
  std::string_view line;
  while (reader.next(&line)) lines.emplace_back(line);
  EXPECT_EQ(source->failure(), "");
  writer.join();
  ::close(fds[0]);
  return lines;
}

TEST(LineReaderTest, SplitsAtLineFeedsWhateverTheBlockSize) {
  const std::string text = std::string("a b\n\nlong line here\r\nx\0y\nlast", 29);
  const std::vector<std::string> expected = {
      "a b", "", "long line here\r", std::string("x\0y", 3), "last"};
  for (std::size_t block : {1, 2, 3, 7, 64, 1 << 20}) {
    SCOPED_TRACE(block);
    EXPECT_EQ(linesOf(text, block), expected);
  }
}

TEST(LineReaderTest, FinalLineFeedAddsNoLine) {
  EXPECT_EQ(linesOf("1\n2\n", 2), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(linesOf("", 4), std::vector<std::string>{});
  EXPECT_EQ(linesOf("\n", 4), std::vector<std::string>{""});
}

TEST(LineReaderTest, ByteOrderMarkAtTheStartOnly) {
  for (std::size_t block : {1, 2, 64}) {
    SCOPED_TRACE(block);
    EXPECT_EQ(linesOf("\xef\xbb\xbf# a\n\xef\xbb\xbf" "1\n", block),
              (std::vector<std::string>{"# a", "\xef\xbb\xbf" "1"}));
    EXPECT_EQ(linesOf("\xef\xbb\xbf", block), std::vector<std::string>{});
    EXPECT_EQ(linesOf("\xef\xbb", block), std::vector<std::string>{"\xef\xbb"});
  }
}

TEST(LineReaderTest, LinesLongerThanManyBlocks) {
  std::string longLine(3'000'000, 'x');
  longLine[1'500'000] = ' ';
  std::vector<std::string> lines = linesOf("a\n" + longLine + "\nb", 4096);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1], longLine);
  EXPECT_EQ(lines[2], "b");
}

TEST(LineReaderTest, DirectoryReportsTheReadError) {
  int fd = ::open("/", O_RDONLY);
  ASSERT_GE(fd, 0);
  std::unique_ptr<ByteSource> source = openByteSource(fd);
  LineReader reader(*source);
  std::string_view line;
  EXPECT_FALSE(reader.next(&line));
  EXPECT_EQ(source->systemError(), EISDIR);
  EXPECT_TRUE(reader.nothingRead());
  ::close(fd);
}

}  // namespace
}  // namespace tabsift
