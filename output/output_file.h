// One output file, written so that an existing file is never left half
// written. The text goes into a temporary file in the directory of the file
// (the target of a symbolic link), which takes the file's name by a rename
// only when it is complete; until then the old file stays as it was. A
// failed write, or a signal that ends the run (removal_on_signal.h), removes
// the temporary file.
//
// The new file keeps the permission bits (set-user-ID, set-group-ID and
// sticky bits included), the owner and the group of the file it replaces; a
// new name gets 0666 less the umask, as open(2) would give it.
//
// A regular file is written in place only when the replacement cannot be
// made for want of permission (a directory the run may not write, an owner
// or group the run may not give) or when the rename is refused because the
// name is a mount point (a single file bind-mounted into a container). Even
// then the complete text is built first, in memory (memfd) or in an unnamed
// file under TMPDIR; the room for it is reserved in the file
// (posix_fallocate); only then is the old text written over, with the
// signals held back, and the file cut to the new length. Any other failure
// to make the temporary file (no free inode or block, a quota, too many open
// files, a name too long, an I/O error) leaves the file as it was and is
// reported.
//
// A name that denotes a descriptor of this process (/dev/stdout,
// /dev/stderr, /dev/fd/N, /proc/self/fd/N, and "-" for standard output) is
// written through that descriptor as it is, at its position: never
// reopened, never truncated.
// Other special files (devices, FIFOs) are opened and written directly.
#pragma once

#include <string>
#include <string_view>

#include "base/fd.h"

namespace tabsift {

// How a name is to be written.
struct OutputPlan {
  // Empty when the name is not replaced by a rename; otherwise the file the
  // temporary takes the place of (the name, or the end of its links).
  std::string target;
  // The descriptor of this process that the name denotes, or -1.
  int descriptor = -1;
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

// Writes the whole text of `source` (read from its start) over the
// regular file `target`: reserves the room first, then writes with the
// signals held back and cuts `target` to the new length. 0, or the errno of
// the failure; a failed reservation leaves `target` as it was.
int writeOver(int target, int source);

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
  // Where the text goes: the temporary file, the buffer of a file written
  // in place, or the special file or descriptor itself.
  int fd() const { return fd_.get(); }
  int error() const { return error_; }
  // True when the text goes into a temporary file.
  bool replacing() const { return !temporary_.empty(); }
  // True when the text is built aside and written over the file at commit.
  bool inPlace() const { return overwritten_.valid(); }

  // Closes the file and puts the text in place: renames a temporary file
  // over the name, or writes a file in place. 0, or the errno of the
  // failure; the file keeps its old text unless the failure came while
  // writing it over (an I/O error after its room was reserved).
  int commit();
  // Closes the file and removes a temporary one; the name keeps what it had.
  void abandon();

 private:
  int openTemporary(const OutputPlan& plan);
  void openInPlace(const std::string& name);
  int commitTemporary();

  FileDescriptor fd_;
  // The file written in place at commit.
  FileDescriptor overwritten_;
  int error_ = 0;
  std::string temporary_;
  std::string target_;
};

}  // namespace tabsift
