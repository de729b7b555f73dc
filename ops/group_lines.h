// Grouping as transforms: the files laid side by side line by line, or the
// lines gathered by the value in one column and sorted by it. Both consume
// the table and return the one file that replaces it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <utility>
#include <vector>

#include "ops/cells.h"
#include "ops/key_order.h"

namespace tabsift {

// Source lines are given back in steps of this many lines as they are
// taken, so that the table is never held twice.
inline constexpr std::size_t kLinesBetweenReleases = std::size_t{1} << 14;

// Line i of the result joins line i of every file that has one, in file
// order; a later file longer than those before adds lines of its own.
template <typename Cell>
FileOf<Cell> sideBySide(TableOf<Cell>& data) {
  std::size_t lines = 0;
  for (const FileOf<Cell>& file : data) lines = std::max(lines, file.size());
  FileOf<Cell> joined;
  LineOf<Cell> cells;
  for (std::size_t i = 0; i < lines; ++i) {
    if (i % kLinesBetweenReleases == 0) {
      for (FileOf<Cell>& file : data) {
        file.discardLinesBelow(std::min(i, file.size()));
      }
    }
    cells.clear();
    for (const FileOf<Cell>& file : data) {
      if (i < file.size()) {
        const auto line = file[i];
        cells.insert(cells.end(), line.begin(), line.end());
      }
    }
    joined.appendLine(cells.data(), cells.size());
  }
  for (FileOf<Cell>& file : data) file.clear();
  return joined;
}

// Whether some line of the table has a cell, present or absent, at `column`.
template <typename Cell>
bool someLineReaches(const TableOf<Cell>& data, std::size_t column) {
  return std::any_of(data.begin(), data.end(), [column](const auto& file) {
    return file.widest() > column;
  });
}

// One line per distinct key cell at `column`, in ascending key order: the
// key, then the other cells of every line carrying it, in table order. A
// line whose key cell is absent or missing adds nothing. Every group line is
// laid out at its final size first, so that no cell is moved twice.
template <typename Cell>
FileOf<Cell> groupByColumn(TableOf<Cell>& data, std::size_t column) {
  struct Group {
    std::size_t cells = 1;  // the key and the other cells of its lines
    std::size_t line = 0;   // its line in the result
    std::size_t filled = 0;
  };
  std::map<NumberOf<Cell>, Group, KeyLess> groups;
  for (const FileOf<Cell>& file : data) {
    for (const auto& line : file) {
      if (hasPresentCell(line, column)) {
        groups[line[column].value()].cells += line.size() - 1;
      }
    }
  }
  FileOf<Cell> result;
  for (auto& entry : groups) {
    entry.second.line = result.size();
    result.appendUnset(entry.second.cells);
  }
  for (FileOf<Cell>& file : data) {
    for (std::size_t l = 0; l < file.size(); ++l) {
      if (l % kLinesBetweenReleases == 0) file.discardLinesBelow(l);
      const auto line = std::as_const(file)[l];
      if (!hasPresentCell(line, column)) continue;
      Group& group = groups.find(line[column].value())->second;
      Cell* out = result[group.line].data() + group.filled;
      if (group.filled == 0) *out++ = line[column];
      for (std::size_t c = 0; c < line.size(); ++c) {
        if (c != column) *out++ = line[c];
      }
      group.filled = static_cast<std::size_t>(out - result[group.line].data());
    }
    file.clear();
  }
  return result;
}

}  // namespace tabsift
