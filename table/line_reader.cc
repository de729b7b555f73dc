#include "table/line_reader.h"

#include <cerrno>
#include <algorithm>
#include <cstring>
#include <utility>

#include "table/fd.h"

namespace tabsift {

LineReader::LineReader(int fd, std::size_t blockSize)
    : fd_(fd), blockSize_(blockSize == 0 ? 1 : blockSize) {}

bool LineReader::next(std::string_view* line) {
  for (;;) {
    const char* start = buffer_.get() + begin_;
    const std::size_t available = end_ - begin_;
    if (scanned_ < available) {
      const void* lf = std::memchr(start + scanned_, '\n', available - scanned_);
      if (lf != nullptr) {
        const std::size_t length = static_cast<const char*>(lf) - start;
        *line = std::string_view(start, length);
        begin_ += length + 1;
        scanned_ = 0;
        return true;
      }
      scanned_ = available;
    }
    if (!atEnd_ && fill()) continue;
    // The last line of the input, without LF; fill() may have moved it.
    if (begin_ == end_) return false;
    *line = std::string_view(buffer_.get() + begin_, end_ - begin_);
    begin_ = end_;
    scanned_ = 0;
    return true;
  }
}

bool LineReader::fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  // Room for at least one block; a line longer than the buffer doubles it.
  if (capacity_ - end_ < blockSize_) {
    const std::size_t capacity = std::max(capacity_ * 2, end_ + blockSize_);
    std::unique_ptr<char[]> grown(new char[capacity]);
    if (end_ > 0) std::memcpy(grown.get(), buffer_.get(), end_);
    buffer_ = std::move(grown);
    capacity_ = capacity;
  }
  const ssize_t n = readSome(fd_, buffer_.get() + end_, capacity_ - end_);
  if (n > 0) {
    end_ += static_cast<std::size_t>(n);
    anythingRead_ = true;
    return true;
  }
  if (n < 0) error_ = errno;
  atEnd_ = true;
  return false;
}

}  // namespace tabsift
