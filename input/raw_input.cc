#include "input/raw_input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/fd.h"

namespace tabsift {

long RawInput::read(void* buffer, std::size_t size) {
  char* out = static_cast<char*>(buffer);
  std::size_t copied = 0;
  if (headUsed_ < head_.size()) {
    copied = std::min(size, head_.size() - headUsed_);
    std::memcpy(out, head_.data() + headUsed_, copied);
    headUsed_ += copied;
    if (copied == size) return static_cast<long>(copied);
  }
  if (error_ != 0) return copied > 0 ? static_cast<long>(copied) : -1;
  const ssize_t n = readSome(fd_, out + copied, size - copied);
  if (n < 0) {
    error_ = errno;
    // The head bytes count; the failure shows at the next call.
    return copied > 0 ? static_cast<long>(copied) : -1;
  }
  return static_cast<long>(copied + static_cast<std::size_t>(n));
}

std::string readHead(int fd, std::size_t size, int* error) {
  std::string head(size, '\0');
  std::size_t got = 0;
  *error = 0;
  while (got < size) {
    const ssize_t n = readSome(fd, head.data() + got, size - got);
    if (n < 0) {
      *error = errno;
      break;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  head.resize(got);
  return head;
}

}  // namespace tabsift
