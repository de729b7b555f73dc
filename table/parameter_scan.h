// Named parameters written in a comment line as name = value, e.g.
// "# T = 300 P = 1.5". Every "=" of the line introduces one parameter: its
// name is the last word (words separated by spaces and tabs) of the text
// before the "=", back to the previous "=", and its value is the number at
// the start of the text after the "=", read as atof reads it (with Fortran's
// exponents, and with the comma as the decimal point when the table is
// written so).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace tabsift {

struct ParameterEntry {
  std::string_view name;        // points into the scanned line; may be empty
  std::optional<double> value;  // nothing when the text after "=" is no number
};

// The parameters of one comment line, in order of their "=".
std::vector<ParameterEntry> scanParameters(std::string_view line,
                                           bool decimalComma = false);

// The last word of `head`, words being separated by spaces and tabs; empty
// when the head holds no word.
std::string_view lastWord(std::string_view head);

}  // namespace tabsift
