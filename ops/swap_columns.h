// The column swap as transforms on the files [begin, end) of a table: the
// check that both columns exist, and the exchange of the cells.
#pragma once

#include <algorithm>
#include <cstddef>
#include <utility>

#include "ops/cells.h"

namespace tabsift {

// Whether columns a and b differ and every chosen file reaches both in its
// first line; a file without lines has nothing to swap and is passed over.
template <typename Cell>
bool swapFits(const TableOf<Cell>& data, std::size_t begin, std::size_t end,
              std::size_t a, std::size_t b) {
  if (a == b) return false;
  for (std::size_t f = begin; f < end; ++f) {
    if (data[f].empty()) continue;
    const auto first = data[f].front();
    if (first.size() <= a || first.size() <= b) return false;
  }
  return true;
}

// Exchanges cells a and b in every line of the chosen files; a later line
// too short for either column is left as it is.
template <typename Cell>
void swapColumns(TableOf<Cell>& data, std::size_t begin, std::size_t end,
                 std::size_t a, std::size_t b) {
  const std::size_t needed = std::max(a, b);
  for (std::size_t f = begin; f < end; ++f) {
    for (auto& line : data[f]) {
      if (line.size() > needed) std::swap(line[a], line[b]);
    }
  }
}

}  // namespace tabsift
