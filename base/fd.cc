#include "base/fd.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tabsift {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.release();
  }
  return *this;
}

FileDescriptor::~FileDescriptor() {
  close();
}

int FileDescriptor::close() {
  if (fd_ < 0) return 0;
  // A close interrupted by a signal has still released the descriptor.
  const int result = ::close(release());
  return result != 0 && errno != EINTR ? errno : 0;
}

FileDescriptor openFile(const std::string& name, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(name.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return FileDescriptor(fd);
}

ssize_t readSome(int fd, void* buffer, std::size_t size) {
  ssize_t n;
  do {
    n = ::read(fd, buffer, size);
  } while (n < 0 && errno == EINTR);
  return n;
}

int writeAll(int fd, const void* data, std::size_t size) {
  const char* next = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t written = ::write(fd, next, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (written == 0) return EIO;
    next += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

std::string errorText(int error) {
  return std::strerror(error);
}

}  // namespace tabsift
