// The byte stream of one output (standard output or an output file): a
// std::streambuf over a file descriptor with a large buffer, written to the
// descriptor in large blocks. Text can go in through a std::ostream built on
// it, or be formatted straight into the buffer with reserve() and commit();
// both share one buffer, so everything stays in order. Nothing is flushed
// per line.
//
// The first failed write is remembered (see error()); everything after it is
// dropped, so a full device costs one failed call, not one per block. A pipe
// whose reader has gone does not fail a call: SIGPIPE ends the run, quietly,
// as it ends any filter.
#pragma once

#include <cstddef>
#include <streambuf>
#include <string_view>
#include <vector>

#include "base/check.h"

namespace tabsift {

class BlockSink : public std::streambuf {
 public:
  static constexpr std::size_t kDefaultCapacity = 1 << 20;

  // Writes to `fd`, which the caller keeps owning.
  explicit BlockSink(int fd, std::size_t capacity = kDefaultCapacity);
  ~BlockSink() override;
  BlockSink(const BlockSink&) = delete;
  BlockSink& operator=(const BlockSink&) = delete;

  // A pointer to at least `n` free bytes (n at most the capacity); write into
  // them, then hand the end of what was written to commit(), at most the
  // `n` bytes on.
  char* reserve(std::size_t n) {
    TABSIFT_ASSERT(n <= buffer_.size());
    if (static_cast<std::size_t>(epptr() - pptr()) < n) drain();
    return pptr();
  }
  void commit(char* end) {
    TABSIFT_ASSERT(end >= pptr() && end <= epptr());
    pbump(static_cast<int>(end - pptr()));
  }

  // Appends bytes of any length.
  void append(std::string_view text);
  // Appends `n` copies of `c`.
  void appendFill(char c, std::size_t n);

  // Writes out everything buffered. False when any write has failed.
  bool flush();

  // The errno of the first failed write, or 0.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  // Writes out the buffer and starts it afresh.
  void drain();
  void writeAll(const char* data, std::size_t size);

  int fd_;
  int error_ = 0;
  std::vector<char> buffer_;
};

}  // namespace tabsift
