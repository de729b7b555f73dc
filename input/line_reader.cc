#include "input/line_reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

#include "base/large_block.h"

namespace tabsift {

ReadBuffer::~ReadBuffer() {
  release();
}

void ReadBuffer::release() {
  if (mapped_) {
    unmapLargeBlock(data_, capacity_);
  } else {
    delete[] data_;
  }
  data_ = nullptr;
  capacity_ = 0;
  mapped_ = false;
}

void ReadBuffer::grow(std::size_t size, std::size_t keep) {
  if (size <= capacity_) return;
  const std::size_t capacity = std::max(capacity_ * 2, size);
  char* grown = nullptr;
  std::size_t mapped = 0;
  if (capacity >= kLargeBlock) {
    grown = mapLargeBlock(capacity, &mapped);
  } else {
    grown = new char[capacity];
  }
  if (keep > 0) std::memcpy(grown, data_, keep);
  release();
  data_ = grown;
  capacity_ = mapped > 0 ? mapped : capacity;
  mapped_ = mapped > 0;
}

LineReader::LineReader(ByteSource& source, ReadBuffer& buffer,
                       std::size_t blockSize)
    : source_(source),
      blockSize_(blockSize == 0 ? 1 : blockSize),
      buffer_(buffer) {}

void LineReader::skipByteOrderMark() {
  constexpr std::string_view kMark = "\xef\xbb\xbf";
  // The mark may arrive in pieces from a pipe.
  while (end_ - begin_ < kMark.size() && !atEnd_ && fill()) {
  }
  const std::string_view start(buffer_.data() + begin_,
                               std::min(end_ - begin_, kMark.size()));
  if (start == kMark) begin_ += kMark.size();
  scanned_ = 0;
}

bool LineReader::next(std::string_view* line) {
  for (;;) {
    const char* start = buffer_.data() + begin_;
    const std::size_t available = end_ - begin_;
    if (scanned_ < available) {
      const void* lf =
          std::memchr(start + scanned_, '\n', available - scanned_);
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
    // After a failed read or damaged data it may be cut anywhere, so it is
    // dropped rather than read as a shorter line.
    if (begin_ == end_ || !source_.failure().empty()) return false;
    *line = std::string_view(buffer_.data() + begin_, end_ - begin_);
    begin_ = end_;
    scanned_ = 0;
    return true;
  }
}

bool LineReader::fill() {
  if (begin_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
  }
  // Room for at least one block; a line longer than the buffer doubles it.
  if (buffer_.capacity() - end_ < blockSize_) {
    buffer_.grow(end_ + blockSize_, end_);
  }
  const std::size_t n =
      source_.read(buffer_.data() + end_, buffer_.capacity() - end_);
  if (n > 0) {
    end_ += n;
    anythingRead_ = true;
    return true;
  }
  atEnd_ = true;
  return false;
}

}  // namespace tabsift
