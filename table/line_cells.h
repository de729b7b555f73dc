// Turning the text of one data line into its cells. By default the line is
// split into tokens at runs of delimiters (space, tab, CR, LF); in a line
// format with a delimiter byte, into the fields of lineFields. Each token
// becomes one cell, present when the token starts with a number that the
// cell type holds, absent otherwise.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "table/cell.h"
#include "table/line_format.h"

namespace tabsift {

// The characters that separate tokens and make up blank lines.
inline bool isDataDelimiter(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A token whose number was read only in part ("1,5", "2abc", "12:30"): the
// token, how many of its bytes the number took, and the index of its cell.
struct PartialToken {
  bool found = false;
  std::string token;
  std::size_t length = 0;
  std::size_t column = 0;
};

// Appends one cell per token of `line` to `cells`, in order, and returns how
// many of them are absent because their token is not a number of type T.
// When `partial` is given and has found nothing yet, the first token of the
// line that was read only in part is noted in it.
template <typename T>
std::size_t appendLineCells(std::string_view line, std::vector<Cell<T>>& cells,
                            PartialToken* partial = nullptr);

// The same for a line written in `format`. With a delimiter, one cell per
// field of lineFields: an empty field is an absent cell that is not counted
// as invalid (CSV's missing value). Without one, the tokens as above. Either
// way with the format's decimal point. `unquoted` is room for the text of
// quoted fields, kept from line to line.
template <typename T>
std::size_t appendFormattedCells(std::string_view line,
                                 const LineFormat& format,
                                 std::vector<Cell<T>>& cells,
                                 PartialToken* partial, std::string& unquoted);

#define TABSIFT_LINE_CELLS(T, prefix)                             \
  prefix template std::size_t appendLineCells<T>(                 \
      std::string_view, std::vector<Cell<T>>&, PartialToken*);    \
  prefix template std::size_t appendFormattedCells<T>(            \
      std::string_view, const LineFormat&, std::vector<Cell<T>>&, \
      PartialToken*, std::string&);
TABSIFT_LINE_CELLS(int, extern)
TABSIFT_LINE_CELLS(float, extern)
TABSIFT_LINE_CELLS(double, extern)

}  // namespace tabsift
