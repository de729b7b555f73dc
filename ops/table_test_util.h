// Helpers for unit tests of the transforms: a table written as literal
// numbers, and a table shown as one short text.
#pragma once

#include <cstddef>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "ops/cells.h"
#include "table/data_operations.h"

namespace tabsift::testing {

// A cell written as a number, or kAbsent for an absent cell.
using CellText = std::optional<double>;
inline constexpr std::nullopt_t kAbsent = std::nullopt;
using LinesText = std::vector<std::vector<CellText>>;

template <typename T>
using CellOf = typename DataOperations<T>::Value;

template <typename T = double>
TableOf<CellOf<T>> table(const std::vector<LinesText>& files) {
  TableOf<CellOf<T>> data;
  for (const LinesText& lines : files) {
    data.emplace_back();
    for (const auto& cells : lines) {
      data.back().emplace_back();
      for (const CellText& cell : cells) {
        data.back().back().push_back(cell ? CellOf<T>(static_cast<T>(*cell))
                                          : CellOf<T>());
      }
    }
  }
  return data;
}

// Cells separated by blanks (absent ones as "--"), lines by "; ", files by
// " | ".
template <typename Cell>
std::string show(const TableOf<Cell>& data) {
  std::ostringstream text;
  for (std::size_t f = 0; f < data.size(); ++f) {
    if (f > 0) text << " | ";
    for (std::size_t l = 0; l < data[f].size(); ++l) {
      if (l > 0) text << "; ";
      for (std::size_t c = 0; c < data[f][l].size(); ++c) {
        if (c > 0) text << ' ';
        const Cell& cell = data[f][l][c];
        if (cell.present()) {
          text << cell.value();
        } else {
          text << "--";
        }
      }
    }
  }
  return text.str();
}

template <typename Cell>
std::string showFile(const FileOf<Cell>& file) {
  return show(TableOf<Cell>{file});
}

}  // namespace tabsift::testing
