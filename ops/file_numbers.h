// The file-number column of a merged run as a transform: every line gets
// the number of its file of the table, from 1, as a new first cell. And the
// steps that tell the store's FileNumberColumns where an operation moves
// those numbers; each looks at the table before the operation changes it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "ops/cells.h"
#include "table/file_number_columns.h"

namespace tabsift {

template <typename Cell>
void tagWithFileNumbers(TableOf<Cell>& data) {
  for (std::size_t f = 0; f < data.size(); ++f) {
    data[f].prependCell(Cell(static_cast<NumberOf<Cell>>(f + 1)));
  }
}

// The narrowest and the widest line of files [begin, end); a table without
// lines gives (max, 0).
template <typename Cell>
std::pair<std::size_t, std::size_t> lineWidths(const TableOf<Cell>& data,
                                               std::size_t begin,
                                               std::size_t end) {
  std::size_t narrowest = std::numeric_limits<std::size_t>::max();
  std::size_t widest = 0;
  for (std::size_t f = begin; f < end; ++f) {
    if (data[f].uniform() && !data[f].empty()) {
      narrowest = std::min(narrowest, data[f].front().size());
      widest = std::max(widest, data[f].front().size());
      continue;
    }
    for (const auto& line : data[f]) {
      narrowest = std::min(narrowest, line.size());
      widest = std::max(widest, line.size());
    }
  }
  return {narrowest, widest};
}

// The filter's column list: a listed column that a line lacks adds nothing
// to it. One beyond every line adds nothing anywhere; one that some lines
// lack moves the cells after it in those lines only, so the file numbers
// keep one place only when no such column is listed before them.
template <typename Cell>
void followColumnList(FileNumberColumns& numbers, const TableOf<Cell>& data,
                      const std::vector<std::size_t>& keep) {
  if (!numbers.any() || keep.empty()) return;
  const auto [narrowest, widest] = lineWidths(data, 0, data.size());
  std::vector<std::optional<std::size_t>> sources;
  bool varies = false;
  for (std::size_t k : keep) {
    if (k >= widest) continue;
    varies = varies || k >= narrowest;
    if (varies && numbers.holds(k)) {
      numbers.forget();
      return;
    }
    sources.push_back(k);
  }
  numbers.rebuild(sources);
}

// The swap of columns a and b in files [begin, end): one layout only when
// it reaches every line of every file.
template <typename Cell>
void followSwap(FileNumberColumns& numbers, const TableOf<Cell>& data,
                std::size_t begin, std::size_t end, std::size_t a,
                std::size_t b) {
  if (numbers.holds(a) == numbers.holds(b)) return;
  const bool everyFile = begin == 0 && end == data.size();
  if (!everyFile || std::max(a, b) >= lineWidths(data, 0, data.size()).first) {
    numbers.forget();
    return;
  }
  numbers.swap(a, b);
}

// Grouping by the column `key`.
template <typename Cell>
void followGrouping(FileNumberColumns& numbers, const TableOf<Cell>& data,
                    std::size_t key) {
  if (!numbers.any()) return;
  const auto [narrowest, widest] = lineWidths(data, 0, data.size());
  numbers.groupBy(key, narrowest == widest ? widest : 0);
}

// The files side by side: line i of every file, in file order, so one
// layout only when all files are equally long and each equally wide.
template <typename Cell>
void followSideBySide(FileNumberColumns& numbers, const TableOf<Cell>& data) {
  if (!numbers.any()) return;
  std::vector<std::size_t> widths;
  for (std::size_t f = 0; f < data.size(); ++f) {
    const auto [narrowest, widest] = lineWidths(data, f, f + 1);
    if (data[f].size() != data[0].size() || narrowest != widest) {
      numbers.forget();
      return;
    }
    widths.push_back(widest);
  }
  numbers.sideBySide(widths);
}

}  // namespace tabsift
