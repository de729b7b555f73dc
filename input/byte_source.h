// The bytes of one input as the reader sees them: a source hands out the
// input's text block by block, whether the input holds it plainly or as a
// compressed stream that is decoded on the way. A source that stops early
// says why.
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <string>
#include <utility>

namespace tabsift {

// Memory exhausted before it ran out: a stream that needs more than the run
// can get (memoryLimit()), refused before any text of its frame or stream.
// what() says how much, for the message.
class TooMuchMemory : public std::bad_alloc {
 public:
  explicit TooMuchMemory(std::string detail) : detail_(std::move(detail)) {}
  const char* what() const noexcept override { return detail_.c_str(); }

 private:
  std::string detail_;
};

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Up to `size` bytes of text into `buffer`: their count, 0 at the end of
  // the input or once it failed. Throws std::bad_alloc when a decoder runs
  // out of memory, TooMuchMemory when a stream needs more than it can get.
  virtual std::size_t read(char* buffer, std::size_t size) = 0;

  // Why the input ended early; empty while everything went well.
  const std::string& failure() const { return failure_; }

  // The errno of a failed read(2), 0 when the failure (if any) lies in the
  // data.
  int systemError() const { return systemError_; }

 protected:
  void fail(std::string reason, int systemError = 0) {
    if (!failure_.empty()) return;
    failure_ = std::move(reason);
    systemError_ = systemError;
  }

 private:
  std::string failure_;
  int systemError_ = 0;
};

// A source for the descriptor `fd`, which the caller keeps open: its first
// bytes decide whether it is read plainly or decoded as gzip, zstd, xz or
// bzip2.
std::unique_ptr<ByteSource> openByteSource(int fd);

}  // namespace tabsift
