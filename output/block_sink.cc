#include "output/block_sink.h"

#include <cstring>

#include "base/fd.h"

namespace tabsift {

BlockSink::BlockSink(int fd, std::size_t capacity)
    : fd_(fd), buffer_(capacity < 64 ? 64 : capacity) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

BlockSink::~BlockSink() {
  drain();
}

void BlockSink::writeAll(const char* data, std::size_t size) {
  if (error_ == 0) error_ = tabsift::writeAll(fd_, data, size);
}

void BlockSink::drain() {
  writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

void BlockSink::append(std::string_view text) {
  if (static_cast<std::size_t>(epptr() - pptr()) < text.size()) {
    drain();
    if (text.size() > buffer_.size()) {
      writeAll(text.data(), text.size());
      return;
    }
  }
  std::memcpy(pptr(), text.data(), text.size());
  pbump(static_cast<int>(text.size()));
}

void BlockSink::appendFill(char c, std::size_t n) {
  while (n > 0) {
    std::size_t room = static_cast<std::size_t>(epptr() - pptr());
    if (room == 0) {
      drain();
      room = buffer_.size();
    }
    const std::size_t chunk = n < room ? n : room;
    std::memset(pptr(), c, chunk);
    pbump(static_cast<int>(chunk));
    n -= chunk;
  }
}

bool BlockSink::flush() {
  drain();
  return error_ == 0;
}

BlockSink::int_type BlockSink::overflow(int_type c) {
  drain();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return error_ == 0 ? traits_type::not_eof(c) : traits_type::eof();
}

std::streamsize BlockSink::xsputn(const char* s, std::streamsize n) {
  append(std::string_view(s, static_cast<std::size_t>(n)));
  return error_ == 0 ? n : 0;
}

int BlockSink::sync() {
  return flush() ? 0 : -1;
}

}  // namespace tabsift
