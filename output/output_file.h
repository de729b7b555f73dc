// One output file, written so that an existing file is never left half
// written. The text goes into a temporary file in the directory of the file
// (the target of a symbolic link), which takes the file's name by a rename
// only when it is complete; until then the old file stays as it was. A
// failed write, or SIGINT, SIGTERM or SIGHUP, removes the temporary file.
//
// The new file keeps the permission bits and the owner of the file it
// replaces; a new name gets 0666 less the umask, as open(2) would give it.
// Special files (devices, FIFOs, /dev/stdout) are written in place, and so
// is an existing file when no temporary file can be made beside it (a
// directory that is not writable) or its owner cannot be kept.
#pragma once

#include <string>
#include <string_view>

#include "base/fd.h"

namespace tabsift {

// How a name is to be written.
struct OutputPlan {
  // Empty when the name is written in place; otherwise the file the
  // temporary takes the place of (the name, or the end of its links).
  std::string target;
  // For an existing target: its permission bits, owner and group.
  bool exists = false;
  unsigned mode = 0;
  unsigned uid = 0;
  unsigned gid = 0;
};

// Looks at what `name` denotes now, following symbolic links.
OutputPlan planOutput(const std::string& name);

// The directory part of a path ("." when there is none) and the last part.
std::string directoryPart(std::string_view path);
std::string lastPart(std::string_view path);

// The mkstemp pattern for a temporary file beside `target`: a hidden name
// that shows what it stands for, short enough for any file system.
std::string temporaryPattern(std::string_view target);

class OutputFile {
 public:
  // Opens `name` for writing; on failure invalid, with the errno in error().
  explicit OutputFile(const std::string& name);
  // Removes a temporary file that was not committed.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  bool valid() const { return fd_.valid(); }
  int fd() const { return fd_.get(); }
  int error() const { return error_; }
  // True when the text goes into a temporary file.
  bool replacing() const { return !temporary_.empty(); }

  // Closes the file and, for a temporary one, renames it over the name:
  // 0, or the errno of the failure (the temporary file is then removed).
  int commit();
  // Closes the file and removes a temporary one; the name keeps what it had.
  void abandon();

 private:
  bool openTemporary(const OutputPlan& plan);
  void openInPlace(const std::string& name);

  FileDescriptor fd_;
  int error_ = 0;
  std::string temporary_;
  std::string target_;
};

}  // namespace tabsift
