// Turning the text of one data line into its cells: the line is split into
// tokens at runs of delimiters (space, tab, CR, LF), and each token becomes
// one cell, present when the token starts with a number that the cell type
// holds, absent otherwise.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "table/cell.h"

namespace tabsift {

// The characters that separate tokens and make up blank lines.
inline bool isDataDelimiter(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Appends one cell per token of `line` to `cells`, in order, and returns how
// many of them are absent because their token is not a number of type T.
template <typename T>
std::size_t appendLineCells(std::string_view line, std::vector<Cell<T>>& cells);

extern template std::size_t appendLineCells<int>(std::string_view,
                                                 std::vector<Cell<int>>&);
extern template std::size_t appendLineCells<float>(std::string_view,
                                                   std::vector<Cell<float>>&);
extern template std::size_t appendLineCells<double>(std::string_view,
                                                    std::vector<Cell<double>>&);

}  // namespace tabsift
