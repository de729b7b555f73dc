// Helpers for unit tests of the operations: fill a table store by hand and
// show its table as one short text.
#pragma once

#include <cstddef>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "table/data_operations.h"

namespace tabsift::testing {

// A cell written as a number, or kAbsent for an absent cell.
using CellText = std::optional<double>;
inline constexpr std::nullopt_t kAbsent = std::nullopt;
using LinesText = std::vector<std::vector<CellText>>;

// Appends one file of the given lines, read from input `input`.
template <typename T>
void addFile(DataOperations<T>& store, const LinesText& lines,
             std::size_t input) {
  typename DataOperations<T>::File file;
  for (const auto& cells : lines) {
    typename DataOperations<T>::Line line;
    for (const CellText& cell : cells) {
      line.push_back(cell ? typename DataOperations<T>::Value(
                                static_cast<T>(*cell))
                          : typename DataOperations<T>::Value());
    }
    file.push_back(line);
  }
  store.data.push_back(file);
  store.fileInputs.push_back(input);
}

// The table as text: cells separated by blanks (absent ones as "--"), lines
// by "; ", files by " | ".
template <typename T>
std::string show(const DataOperations<T>& store) {
  std::ostringstream text;
  for (std::size_t f = 0; f < store.data.size(); ++f) {
    if (f > 0) text << " | ";
    for (std::size_t l = 0; l < store.data[f].size(); ++l) {
      if (l > 0) text << "; ";
      const auto& line = store.data[f][l];
      for (std::size_t c = 0; c < line.size(); ++c) {
        if (c > 0) text << ' ';
        if (line[c].present()) {
          text << line[c].value();
        } else {
          text << "--";
        }
      }
    }
  }
  return text.str();
}

}  // namespace tabsift::testing
