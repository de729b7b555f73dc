// How the transforms of ops/ see a table: a table is files of lines of cells
// of any cell type; a cell says whether it is present and gives its number.
// A file keeps its lines in one block (table/table_file.h); a line built on
// its own is a vector of cells.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

#include "table/table_file.h"

namespace tabsift {

template <typename Cell>
using LineOf = std::vector<Cell>;
template <typename Cell>
using FileOf = TableFile<Cell>;
template <typename Cell>
using TableOf = std::vector<FileOf<Cell>>;

// The number type of a cell: int, float or double.
template <typename Cell>
using NumberOf = std::decay_t<decltype(std::declval<const Cell&>().value())>;

// Whether line holds a present cell at `column`.
template <typename Line>
bool hasPresentCell(const Line& line, std::size_t column) {
  return column < line.size() && line[column].present();
}

}  // namespace tabsift
