// Grouping as transforms: the files laid side by side line by line, or the
// lines gathered by the value in one column and sorted by it. Both consume
// the table and return the one file that replaces it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <map>
#include <utility>

#include "ops/cells.h"
#include "ops/key_order.h"
#include "ops/release_memory.h"

namespace tabsift {

// Line i of the result joins line i of every file that has one, in file
// order; a later file longer than those before adds lines of its own.
template <typename Cell>
FileOf<Cell> sideBySide(TableOf<Cell>& data) {
  FileOf<Cell> joined = data.empty() ? FileOf<Cell>() : std::move(data.front());
  for (std::size_t f = 1; f < data.size(); ++f) {
    FileOf<Cell>& file = data[f];
    for (std::size_t i = 0; i < file.size(); ++i) {
      if (i < joined.size()) {
        joined[i].insert(joined[i].end(), file[i].begin(), file[i].end());
        LineOf<Cell>().swap(file[i]);
      } else {
        joined.push_back(std::move(file[i]));
      }
    }
    FileOf<Cell>().swap(file);
  }
  return joined;
}

// Whether some line of the table has a cell, present or absent, at `column`.
template <typename Cell>
bool someLineReaches(const TableOf<Cell>& data, std::size_t column) {
  for (const FileOf<Cell>& file : data) {
    for (const LineOf<Cell>& line : file) {
      if (line.size() > column) return true;
    }
  }
  return false;
}

// Whether some file of the table has a line.
template <typename Cell>
bool hasLines(const TableOf<Cell>& data) {
  return std::any_of(data.begin(), data.end(),
                     [](const FileOf<Cell>& file) { return !file.empty(); });
}

// The groups of a table by the key cell at `column`, each with room for the
// cells of its longest line: the width the padding gives them all, so that
// no group line is ever copied while growing.
template <typename Cell>
struct Group {
  std::size_t cells = 1;  // the key and the other cells of its lines
  LineOf<Cell> line;
};
template <typename Cell>
using Groups = std::map<NumberOf<Cell>, Group<Cell>, KeyLess>;

template <typename Cell>
Groups<Cell> sizedGroups(const TableOf<Cell>& data, std::size_t column) {
  Groups<Cell> groups;
  for (const FileOf<Cell>& file : data) {
    for (const LineOf<Cell>& line : file) {
      if (hasPresentCell(line, column)) {
        groups[line[column].value()].cells += line.size() - 1;
      }
    }
  }
  std::size_t width = 0;
  for (const auto& entry : groups) width = std::max(width, entry.second.cells);
  for (auto& entry : groups) entry.second.line.reserve(width);
  return groups;
}

// One line per distinct key cell at `column`, in ascending key order: the key,
// then the other cells of every line carrying it, in table order. A line whose
// key cell is absent or missing adds nothing. Source lines are released as
// they are taken, and their memory handed back now and then.
template <typename Cell>
FileOf<Cell> groupByColumn(TableOf<Cell>& data, std::size_t column) {
  Groups<Cell> groups = sizedGroups(data, column);
  constexpr std::size_t kLinesBetweenReleases = std::size_t{1} << 14;
  std::size_t taken = 0;
  for (FileOf<Cell>& file : data) {
    for (LineOf<Cell>& line : file) {
      if (++taken % kLinesBetweenReleases == 0) releaseFreedMemory();
      if (hasPresentCell(line, column)) {
        LineOf<Cell>& target = groups.find(line[column].value())->second.line;
        if (target.empty()) target.push_back(line[column]);
        for (std::size_t c = 0; c < line.size(); ++c) {
          if (c != column) target.push_back(line[c]);
        }
      }
      LineOf<Cell>().swap(line);
    }
    FileOf<Cell>().swap(file);
  }
  FileOf<Cell> result;
  result.reserve(groups.size());
  for (auto& entry : groups) result.push_back(std::move(entry.second.line));
  return result;
}

}  // namespace tabsift
