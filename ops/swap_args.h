// The argument of the column swap, "A,B,F": two 1-based column numbers and a
// 1-based file number, each read as atoi reads it. B is read after the first
// comma (A again without a comma), F after the last comma; text between the
// second and the last comma is ignored.
#pragma once

#include <cstddef>
#include <string_view>

namespace tabsift {

struct SwapRequest {
  std::size_t columnA = 0;  // 0-based index, beyond every line for 0 or less
  std::size_t columnB = 0;
  std::size_t file = 0;  // 0-based index into the table's files
  bool oneFile = false;  // the argument names a file (two commas or more)
};

SwapRequest parseSwapRequest(std::string_view argument);

}  // namespace tabsift
