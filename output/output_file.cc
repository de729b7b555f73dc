#include "output/output_file.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "output/removal_on_signal.h"

namespace tabsift {
namespace {

// As many links as the system follows in one path.
constexpr int kMostLinks = 40;
// Room left in a file name of 255 bytes for the temporary name's additions.
constexpr std::size_t kLongestBase = 200;

// A link of /proc (/dev/stdout leads to /proc/self/fd/1) stands for an open
// file, not for a path: what it names can only be written in place.
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

mode_t currentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// Gives the temporary file the owner and permission bits of the file it is
// to replace, or those of a new file; false when they cannot be given.
bool takeAttributes(int fd, const OutputPlan& plan) {
  if (!plan.exists) return ::fchmod(fd, 0666 & ~currentUmask()) == 0;
  struct stat st;
  if (::fstat(fd, &st) != 0) return false;
  if ((st.st_uid != plan.uid || st.st_gid != plan.gid) &&
      ::fchown(fd, plan.uid, plan.gid) != 0) {
    return false;
  }
  // After the owner: a change of owner clears the set-user-ID bit.
  return ::fchmod(fd, plan.mode) == 0;
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
    if (!S_ISLNK(st.st_mode) || isProcessLink(path)) return plan;
    const std::string link = readLink(path);
    if (link.empty()) return plan;
    path = link.front() == '/' ? link : joinPath(directoryPart(path), link);
  }
  return plan;
}

OutputFile::OutputFile(const std::string& name) {
  const OutputPlan plan = planOutput(name);
  if (plan.target.empty() || !openTemporary(plan)) openInPlace(name);
}

OutputFile::~OutputFile() {
  abandon();
}

bool OutputFile::openTemporary(const OutputPlan& plan) {
  // A file the run may not write is not replaced either: the open in place
  // reports it.
  if (plan.exists &&
      ::faccessat(AT_FDCWD, plan.target.c_str(), W_OK, AT_EACCESS) != 0) {
    return false;
  }
  std::string path = temporaryPattern(plan.target);
  const SignalBlock block;
  FileDescriptor fd(::mkostemp(path.data(), O_CLOEXEC));
  if (!fd.valid()) return false;
  recordTemporary(path);
  if (!takeAttributes(fd.get(), plan)) {
    ::unlink(path.c_str());
    forgetTemporary();
    return false;
  }
  fd_ = std::move(fd);
  temporary_ = std::move(path);
  target_ = plan.target;
  return true;
}

void OutputFile::openInPlace(const std::string& name) {
  fd_ = openFile(name, O_WRONLY | O_CREAT | O_TRUNC);
  if (!fd_.valid()) error_ = errno;
}

int OutputFile::commit() {
  int error = fd_.close();
  if (!replacing()) return error;
  if (error == 0) {
    const SignalBlock block;
    if (::rename(temporary_.c_str(), target_.c_str()) == 0) {
      forgetTemporary();
      temporary_.clear();
      return 0;
    }
    error = errno;
  }
  abandon();
  return error;
}

void OutputFile::abandon() {
  fd_.close();
  if (!replacing()) return;
  const SignalBlock block;
  ::unlink(temporary_.c_str());
  forgetTemporary();
  temporary_.clear();
}

}  // namespace tabsift
