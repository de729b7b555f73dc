// How the transforms of ops/ see a table: a table is files of lines of cells
// of any cell type; a cell says whether it is present and gives its number.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>
#include <vector>

namespace tabsift {

template <typename Cell>
using LineOf = std::vector<Cell>;
template <typename Cell>
using FileOf = std::vector<LineOf<Cell>>;
template <typename Cell>
using TableOf = std::vector<FileOf<Cell>>;

// The number type of a cell: int, float or double.
template <typename Cell>
using NumberOf = std::decay_t<decltype(std::declval<const Cell&>().value())>;

// Whether line holds a present cell at `column`.
template <typename Cell>
bool hasPresentCell(const LineOf<Cell>& line, std::size_t column) {
  return column < line.size() && line[column].present();
}

}  // namespace tabsift
