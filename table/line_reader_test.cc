// Lines out of a source's text whatever the size of the reader's blocks and
// of the pieces the source hands out; the byte order mark at the start only.
#include "table/line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace tabsift {
namespace {

using Lines = std::vector<std::string>;

// Hands out `text` at most `piece` bytes at a time, then fails with
// `reason` when one is given.
class TextSource : public ByteSource {
 public:
  TextSource(std::string text, std::size_t piece, std::string reason)
      : text_(std::move(text)), piece_(piece), reason_(std::move(reason)) {}
  std::size_t read(char* buffer, std::size_t size) override {
    const std::size_t n = std::min({size, piece_, text_.size() - at_});
    std::memcpy(buffer, text_.data() + at_, n);
    at_ += n;
    if (n == 0 && !reason_.empty()) fail(reason_);
    return n;
  }

 private:
  std::string text_;
  std::size_t piece_, at_ = 0;
  std::string reason_;
};

Lines linesOf(const std::string& text, std::size_t block,
              std::size_t piece = 1 << 20, const std::string& reason = "") {
  TextSource source(text, piece, reason);
  LineReader reader(source, block);
  reader.skipByteOrderMark();
  Lines lines;
  std::string_view line;
  while (reader.next(&line)) lines.emplace_back(line);
  return lines;
}

// Lines split at line feeds whatever the block and piece sizes; a line cut
// by a failed read is not handed out.
TEST(LineReaderTest, SplitsAtLineFeedsWhateverTheBlockSize) {
  const std::string bom = "\xef\xbb\xbf";
  const std::pair<std::string, Lines> cases[] = {
      {std::string("a b\n\nlong line here\r\nx\0y\nlast", 29),
       {"a b", "", "long line here\r", std::string("x\0y", 3), "last"}},
      // A final line feed adds no line.
      {"1\n2\n", {"1", "2"}},
      {"", {}},
      {"\n", {""}},
      // Only a whole byte order mark at the start is dropped.
      {bom + "# a\n" + bom + "1\n", {"# a", bom + "1"}},
      {bom, {}},
      {"\xef\xbb", {"\xef\xbb"}},
  };
  for (const auto& [text, lines] : cases) {
    for (std::size_t block : {1, 2, 3, 7, 64, 1 << 20}) {
      for (std::size_t piece : {1, 5, 1 << 20}) {
        EXPECT_EQ(linesOf(text, block, piece), lines) << block << " " << piece;
      }
    }
  }
  EXPECT_EQ(linesOf("1\n2", 64, 1, "broken"), Lines{"1"});
}

}  // namespace
}  // namespace tabsift
