// The comma-separated name lists of the command line (input and output
// files), and the name that stands for a standard stream.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabsift {

// Splits `list` at every ",". Pieces are kept as written (not trimmed); an
// empty piece between commas or before a leading comma is an empty name; a
// trailing comma adds nothing; an empty list gives no names.
std::vector<std::string> splitNameList(std::string_view list);

// Whether a name in an input list means standard input, and in an output
// list standard output: "-" (a file of that name is "./-").
inline bool isStandardStreamName(std::string_view name) {
  return name == "-";
}

}  // namespace tabsift
