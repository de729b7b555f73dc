#include "output/output_file.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "output/removal_on_signal.h"
#include "table/name_list.h"

namespace tabsift {
namespace {

// As many links as the system follows in one path.
constexpr int kMostLinks = 40;
// Room left in a file name of 255 bytes for the temporary name's additions.
constexpr std::size_t kLongestBase = 200;

// A link of /proc (/dev/stdout leads to /proc/self/fd/1) stands for an open
// file, not for a path: it cannot be replaced by a rename.
bool isProcessLink(const std::string& path) {
  const FileDescriptor fd = openFile(path, O_PATH | O_NOFOLLOW);
  struct statfs fs;
  return !fd.valid() || ::fstatfs(fd.get(), &fs) != 0 ||
         fs.f_type == PROC_SUPER_MAGIC;
}

// The text of a symbolic link; empty when it cannot be read.
std::string readLink(const std::string& path) {
  std::vector<char> buffer(256);
  for (;;) {
    const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (n < 0) return std::string();
    if (static_cast<std::size_t>(n) < buffer.size()) {
      return std::string(buffer.data(), static_cast<std::size_t>(n));
    }
    buffer.resize(buffer.size() * 2);
  }
}

std::string joinPath(const std::string& directory, const std::string& name) {
  return directory == "/" ? "/" + name : directory + "/" + name;
}

// The descriptor of this process that a link of /proc names (/dev/fd/1,
// /proc/self/fd/1 and the like), or -1 when it names another process's.
int ownDescriptor(const std::string& path) {
  const std::string number = lastPart(path);
  if (number.empty() || number.size() > 9 ||
      number.find_first_not_of("0123456789") != std::string::npos) {
    return -1;
  }
  char* real = ::realpath(directoryPart(path).c_str(), nullptr);
  if (real == nullptr) return -1;
  const std::string directory(real);
  std::free(real);
  const std::string self = "/proc/" + std::to_string(::getpid());
  if (directory != self + "/fd" &&
      directory != self + "/task/" + std::to_string(::gettid()) + "/fd") {
    return -1;
  }
  return std::atoi(number.c_str());
}

// An unnamed file for the text of a file written in place: in memory, or
// under TMPDIR when no memory file can be made.
FileDescriptor makeBuffer() {
  FileDescriptor fd(::memfd_create("tabsift-output", MFD_CLOEXEC));
  if (fd.valid()) return fd;
  const char* directory = std::getenv("TMPDIR");
  if (directory == nullptr || *directory == '\0') directory = "/tmp";
  return openFile(directory, O_RDWR | O_TMPFILE, 0600);
}

// Failures to make or prepare the temporary file after which the file is
// written in place: no permission to make a file in the directory, or to
// give it the owner, group or permission bits of the file it replaces.
bool allowsWritingInPlace(int error) {
  return error == EACCES || error == EPERM;
}

// Copies everything from the start of `source` to `target` at its offset.
int copyAll(int target, int source) {
  if (::lseek(source, 0, SEEK_SET) != 0) return errno;
  std::vector<char> buffer(1 << 20);
  for (;;) {
    const ssize_t n = readSome(source, buffer.data(), buffer.size());
    if (n < 0) return errno;
    if (n == 0) return 0;
    const int error =
        writeAll(target, buffer.data(), static_cast<std::size_t>(n));
    if (error != 0) return error;
  }
}

// Writes the text of the file `source` over the file `target` in place.
int writeFileOver(const std::string& target, const std::string& source) {
  const FileDescriptor text = openFile(source, O_RDONLY);
  if (!text.valid()) return errno;
  FileDescriptor file = openFile(target, O_WRONLY);
  if (!file.valid()) return errno;
  const int error = writeOver(file.get(), text.get());
  const int closed = file.close();
  return error != 0 ? error : closed;
}

mode_t currentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Gives the temporary file the owner, group and permission bits of the file
// it is to replace, or those of a new file: 0, or the errno of the failure
// (EINVAL, an owner unknown in this user namespace, counts as EPERM).
int takeAttributes(int fd, const OutputPlan& plan) {
  if (!plan.exists) {
    return ::fchmod(fd, 0666 & ~currentUmask()) == 0 ? 0 : errno;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) return errno;
  if ((st.st_uid != plan.uid || st.st_gid != plan.gid) &&
      ::fchown(fd, plan.uid, plan.gid) != 0) {
    return errno == EINVAL ? EPERM : errno;
  }
  // After the owner: a change of owner clears the set-user-ID bit.
  return ::fchmod(fd, plan.mode) == 0 ? 0 : errno;
}

}  // namespace

std::string directoryPart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  if (slash == 0) return "/";
  return std::string(path.substr(0, slash));
}

std::string lastPart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path
                                                     : path.substr(slash + 1));
}

std::string temporaryPattern(std::string_view target) {
  const std::string base = lastPart(target).substr(0, kLongestBase);
  const std::string name = "." + base + ".tabsift-XXXXXX";
  if (target.find('/') == std::string_view::npos) return name;
  return joinPath(directoryPart(target), name);
}

OutputPlan planOutput(const std::string& name) {
  OutputPlan plan;
  if (isStandardStreamName(name)) {
    plan.descriptor = STDOUT_FILENO;
    return plan;
  }
  if (name.empty() || name.back() == '/') return plan;
  std::string path = name;
  for (int links = 0; links <= kMostLinks; ++links) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
      // A new file (perhaps at the end of a dangling link); any other
      // failure is reported by the open in place.
      if (errno == ENOENT) plan.target = path;
      return plan;
    }
    if (S_ISREG(st.st_mode)) {
      plan.target = path;
      plan.exists = true;
      plan.mode = st.st_mode & 07777;
      plan.uid = st.st_uid;
      plan.gid = st.st_gid;
      return plan;
    }
    if (!S_ISLNK(st.st_mode)) return plan;
    if (isProcessLink(path)) {
      plan.descriptor = ownDescriptor(path);
      return plan;
    }
    const std::string link = readLink(path);
    if (link.empty()) return plan;
    path = link.front() == '/' ? link : joinPath(directoryPart(path), link);
  }
  return plan;
}

int writeOver(int target, int source) {
  struct stat st;
  if (::fstat(source, &st) != 0) return errno;
  const off_t size = st.st_size;
  if (size > 0) {
    const int error = ::posix_fallocate(target, 0, size);
    if (error != 0) return error;
  }
  const SignalBlock block;
  if (::lseek(target, 0, SEEK_SET) != 0) return errno;
  if (const int error = copyAll(target, source)) return error;
  return ::ftruncate(target, size) == 0 ? 0 : errno;
}

OutputFile::OutputFile(const std::string& name) {
  const OutputPlan plan = planOutput(name);
  if (plan.descriptor >= 0) {
    // The descriptor as it is: a duplicate shares its position.
    fd_ = FileDescriptor(::fcntl(plan.descriptor, F_DUPFD_CLOEXEC, 3));
    if (!fd_.valid()) error_ = errno;
    return;
  }
  if (!plan.target.empty()) {
    const int error = openTemporary(plan);
    if (error == 0) return;
    if (!allowsWritingInPlace(error)) {
      error_ = error;
      return;
    }
  }
  openInPlace(name);
}

OutputFile::~OutputFile() {
  abandon();
}

int OutputFile::openTemporary(const OutputPlan& plan) {
  // A file the run may not write is not replaced either.
  if (plan.exists &&
      ::faccessat(AT_FDCWD, plan.target.c_str(), W_OK, AT_EACCESS) != 0) {
    return errno;
  }
  std::string path = temporaryPattern(plan.target);
  const SignalBlock block;
  FileDescriptor fd(::mkostemp(path.data(), O_CLOEXEC));
  if (!fd.valid()) return errno;
  recordTemporary(path);
  if (const int error = takeAttributes(fd.get(), plan)) {
    ::unlink(path.c_str());
    forgetTemporary();
    return error;
  }
  fd_ = std::move(fd);
  temporary_ = std::move(path);
  target_ = plan.target;
  return 0;
}

// Opened without truncation: a regular file gets its text built aside and
// written over it at commit; anything else is written directly.
void OutputFile::openInPlace(const std::string& name) {
  FileDescriptor file = openFile(name, O_WRONLY | O_CREAT);
  struct stat st;
  if (!file.valid() || ::fstat(file.get(), &st) != 0) {
    error_ = errno;
    return;
  }
  if (!S_ISREG(st.st_mode)) {
    fd_ = std::move(file);
    return;
  }
  fd_ = makeBuffer();
  if (!fd_.valid()) {
    error_ = errno;
    return;
  }
  overwritten_ = std::move(file);
}

int OutputFile::commit() {
  if (replacing()) return commitTemporary();
  if (!inPlace()) return fd_.close();
  int error = writeOver(overwritten_.get(), fd_.get());
  const int closed = overwritten_.close();
  fd_.close();
  return error != 0 ? error : closed;
}

// Renames the temporary file over the name; a mount point, which cannot be
// renamed over, gets the temporary file's text written over it in place.
int OutputFile::commitTemporary() {
  int error = fd_.close();
  if (error == 0) {
    const SignalBlock block;
    if (::rename(temporary_.c_str(), target_.c_str()) == 0) {
      forgetTemporary();
      temporary_.clear();
      return 0;
    }
    error = errno;
  }
  if (error == EBUSY) error = writeFileOver(target_, temporary_);
  abandon();
  return error;
}

void OutputFile::abandon() {
  fd_.close();
  overwritten_.close();
  if (!replacing()) return;
  const SignalBlock block;
  ::unlink(temporary_.c_str());
  forgetTemporary();
  temporary_.clear();
}

}  // namespace tabsift
