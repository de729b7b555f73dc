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
// file under TMPDIR; at commit the file is locked (flock, exclusive: a
// second run writing it in place waits for the first, saying so), the room for
// the text is reserved in it without changing what it shows, and only then is
// the old text written over, with the signals held back, and the file cut
// to the new length. A reservation that fails leaves the file's length and
// bytes as they were. What no program can guard against is SIGKILL, a
// power loss or a crash while the old text is written over: the file may
// then hold part of each text. Any other failure to make the temporary file
// (no free inode or block, a quota, too many open files, a name too long,
// an I/O error) leaves the file as it was and is reported.
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
// regular file `target`, open for writing (and for reading too where the
// file system has no fallocate): takes an exclusive lock on `target`,
// waiting while another holds one (with a warning that names the output
// file `name`); reserves the room for the text without
// changing what `target` shows (on a file system that copies on write the
// reservation cannot promise the room); then writes with the signals held
// back and cuts `target` to the new length. The lock goes with the last
// descriptor of `target`. 0, or the errno of the failure; a failure before
// the writing leaves the length and bytes of `target` as they were.
int writeOver(int target, int source, const std::string& name);

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
  // Where the text of a file written in place is kept until commit, as a
  // message names it: "in memory", "under 'DIR' (TMPDIR)" or "under
  // '/tmp'"; empty for any other file. Set also when the place could not
  // be made (then not valid()).
  const std::string& aside() const { return aside_; }

  // Closes the file and puts the text in place: renames a temporary file
  // over the name, or writes a file in place. 0, or the errno of the
  // failure; the file keeps its old text unless the failure came while
  // writing it over (an I/O error after its room was reserved).
  int commit();
  // Closes the file and removes a temporary one; the name keeps what it had.
  void abandon();

 private:
  int openTemporary(const OutputPlan& plan);
  // `regular`: the name is a regular file or a new one, opened for reading
  // too where the run may read it.
  void openInPlace(const std::string& name, bool regular);
  int commitTemporary();

  FileDescriptor fd_;
  // The file written in place at commit.
  FileDescriptor overwritten_;
  int error_ = 0;
  std::string name_;
  std::string temporary_;
  std::string target_;
  std::string aside_;
};

}  // namespace tabsift
