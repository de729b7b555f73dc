// Where the file numbers of a merged table stand. Merge puts the number of
// its file in front of every line; the operations that move columns (the
// filter's column list, the selection, the swap, grouping) carry that
// knowledge along, so that line statistics leave the file numbers out
// while column statistics take them like any column.
//
// Whether a column holds file numbers depends on its index alone: it is one
// of the fixed columns, or, after grouping by another column, it lies in
// one of the blocks that begin at `start` and follow every `period` columns
// (one block per grouped line) at one of the offsets `repeated`. When an
// operation leaves the file numbers at places that differ from line to line
// in another way, they become ordinary cells: no column holds them any more.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace tabsift {

class FileNumberColumns {
 public:
  // The first column of every line, as merge leaves it.
  void setFirst();
  // No column holds file numbers (any more).
  void forget();
  bool any() const { return !fixed_.empty() || period_ != 0; }
  bool holds(std::size_t column) const;

  // Every line rebuilt from `sources` in order: the column each new column
  // is taken from, or nothing for a cell from elsewhere (a parameter).
  void rebuild(const std::vector<std::optional<std::size_t>>& sources);
  // Columns a and b exchanged in every line.
  void swap(std::size_t a, std::size_t b);
  // Lines grouped by the column `key`: the key, then every other cell of
  // each line of the group. `width` is the width of every line when all
  // lines are equally wide, else 0.
  void groupBy(std::size_t key, std::size_t width);
  // Files laid side by side, every file as wide as its entry of `widths`
  // in every line and all files as long as one another.
  void sideBySide(const std::vector<std::size_t>& widths);

  // For each column below `width`, whether it holds file numbers.
  std::vector<char> mask(std::size_t width) const;

 private:
  std::vector<std::size_t> fixed_;  // ascending
  std::size_t start_ = 0;
  std::size_t period_ = 0;             // 0: no repeated blocks
  std::vector<std::size_t> repeated_;  // ascending, each below period_
};

}  // namespace tabsift
