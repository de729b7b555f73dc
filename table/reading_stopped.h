// The end of a run that cannot go on after reading failed: memory ran out
// while an input was read. The failure has already been reported; the
// program entry writes nothing more and exits with status 1, so no output
// file is replaced by a partial table.
#pragma once

#include <stdexcept>

namespace tabsift {

struct ReadingStopped : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace tabsift
