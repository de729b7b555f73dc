// The bytes of one input as the reader sees them: a source hands out the
// input's text block by block, whether the input holds it plainly or as a
// compressed stream that is decoded on the way. A source that stops early
// says why.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace tabsift {

class ByteSource {
 public:
  virtual ~ByteSource() = default;

  // Up to `size` bytes of text into `buffer`: their count, 0 at the end of
  // the input or once it failed. Throws std::bad_alloc when a decoder runs
  // out of memory.
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
