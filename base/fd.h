// File descriptors: an owner that closes its descriptor, and the system
// calls that can be interrupted by a signal, retried until they are not.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace tabsift {

// Owns one descriptor (or none, -1) and closes it when destroyed.
class FileDescriptor {
 public:
  FileDescriptor() = default;
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept;
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor();

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  // Closes now: 0, or the errno of a failed close.
  int close();

 private:
  int fd_ = -1;
};

// open(2) retried on EINTR; an invalid descriptor with errno set on failure.
FileDescriptor openFile(const std::string& name, int flags, mode_t mode = 0666);

// read(2) retried on EINTR: the bytes read, 0 at the end, -1 with errno set.
ssize_t readSome(int fd, void* buffer, std::size_t size);

// Writes all `size` bytes, retrying short writes and EINTR: 0, or the errno
// of the failure (EIO for a write that makes no progress).
int writeAll(int fd, const void* data, std::size_t size);

// The system's text for an errno value.
std::string errorText(int error);

}  // namespace tabsift
