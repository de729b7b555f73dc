// What the output file names denote, checked before anything is written:
// which tables go to which name when each input has its own output file,
// two names that denote one file, and names that denote an input which was
// not read in full (such a file is never replaced).
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tabsift {

// The tables of each output name when every input has its own: table i goes
// to the name at the position of the input it came from, fileInputs[i] (i
// itself when fileInputs has no entry for it). Tables whose position has no
// name are listed in `unplaced`.
struct TableRouting {
  std::vector<std::vector<std::size_t>> perOutput;
  std::vector<std::size_t> unplaced;
};
TableRouting routeTables(const std::vector<std::size_t>& fileInputs,
                         std::size_t tables, std::size_t outputs);

// A text that two names share exactly when they denote one file: device and
// inode of an existing file (links followed), otherwise the absolute path
// with its directory resolved.
std::string fileKey(const std::string& name);

// The positions of the first two names that denote one regular file (or
// one new name); empty names (they cannot be written at all), "-" and names
// of special files (devices, FIFOs: written in place, once per name) are
// not compared.
std::optional<std::pair<std::size_t, std::size_t>> findSameFile(
    const std::vector<std::string>& names);

// The inputs that were not read in full, known by device and inode as they
// are before anything is written.
class IncompleteInputs {
 public:
  // `names` are the input names (none for standard input, which "-" also
  // names); `positions` the
  // 0-based positions of the inputs that were not read in full.
  IncompleteInputs(const std::vector<std::string>& names,
                   const std::vector<std::size_t>& positions);

  // How to name the incomplete input that `outputName` denotes ("input file
  // 'd.dat'" or "standard input"), or nothing.
  std::optional<std::string> inputAt(const std::string& outputName) const;

 private:
  struct Known {
    dev_t device;
    ino_t inode;
    std::string label;
  };
  std::vector<Known> files_;
  bool standardInput_ = false;
};

}  // namespace tabsift
