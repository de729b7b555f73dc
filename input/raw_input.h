// The undecoded bytes of one input: a descriptor read in blocks, after the
// few leading bytes that were read first to recognise the format.
#pragma once

#include <cstddef>
#include <string>

namespace tabsift {

class RawInput {
 public:
  // `head` holds the bytes already taken from `fd`, which the caller keeps
  // open; `headError` is the errno of a read that failed after them, or 0.
  RawInput(int fd, std::string head, int headError = 0)
      : fd_(fd), head_(std::move(head)), error_(headError) {}

  // Up to `size` bytes: the head first, then the descriptor. The count, 0 at
  // the end, -1 with error() set on a failed read.
  long read(void* buffer, std::size_t size);

  // The errno of a failed read, 0 when every read succeeded.
  int error() const { return error_; }

 private:
  int fd_;
  std::string head_;
  std::size_t headUsed_ = 0;
  int error_;
};

// Reads from `fd` until `size` bytes are in, the input ends or a read fails
// (`*error` then holds its errno); returns the bytes read.
std::string readHead(int fd, std::size_t size, int* error);

}  // namespace tabsift
