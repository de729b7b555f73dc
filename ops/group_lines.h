// Grouping as transforms: the files laid side by side line by line, or the
// lines gathered by the value in one column and sorted by it. Both consume
// the table and return the one file that replaces it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "ops/cells.h"
#include "ops/key_order.h"
#include "table/cell_block.h"

namespace tabsift {

// Source lines are given back in steps of this many lines as they are
// taken, so that the table is never held twice.
inline constexpr std::size_t kLinesBetweenReleases = std::size_t{1} << 14;

// Line i of the result joins line i of every file that has one, in file
// order; a later file longer than those before adds lines of its own. Each
// line looks only at the files that still have lines, so that files of
// very different lengths cost no more than their lines.
template <typename Cell>
FileOf<Cell> sideBySide(TableOf<Cell>& data) {
  std::vector<FileOf<Cell>*> reaching;
  for (FileOf<Cell>& file : data) {
    if (!file.empty()) reaching.push_back(&file);
  }
  FileOf<Cell> joined;
  LineOf<Cell> cells;
  for (std::size_t i = 0; !reaching.empty(); ++i) {
    if (i % kLinesBetweenReleases == 0) {
      for (FileOf<Cell>* file : reaching) file->discardLinesBelow(i);
    }
    cells.clear();
    std::size_t still = 0;
    for (FileOf<Cell>* file : reaching) {
      const auto line = std::as_const(*file)[i];
      cells.insert(cells.end(), line.begin(), line.end());
      if (i + 1 < file->size()) reaching[still++] = file;
    }
    reaching.resize(still);
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

// Whether some file of the table has a line.
template <typename Cell>
bool hasLines(const TableOf<Cell>& data) {
  return std::any_of(data.begin(), data.end(),
                     [](const FileOf<Cell>& file) { return !file.empty(); });
}

// Grouping of lines whose widths differ: every group line is laid out at
// its final size first in a new file, and the source lines are given back
// as they are taken.
template <typename Cell>
FileOf<Cell> groupLineByLine(FileOf<Cell>& file, std::size_t column) {
  struct Group {
    std::size_t cells = 1;  // the key and the other cells of its lines
    std::size_t line = 0;   // its line in the result
    std::size_t filled = 0;
  };
  std::map<NumberOf<Cell>, Group, KeyLess> groups;
  for (const auto& line : std::as_const(file)) {
    if (hasPresentCell(line, column)) {
      groups[line[column].value()].cells += line.size() - 1;
    }
  }
  FileOf<Cell> result;
  for (auto& entry : groups) {
    entry.second.line = result.size();
    result.appendUnset(entry.second.cells);
  }
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
  return result;
}

// A group of equally wide lines: how many, the place in group order of its
// next line, and its number in the order of first appearance.
struct BlockGroup {
  std::size_t lines = 0;
  std::size_t next = 0;
  std::uint32_t seen = 0;
};

// Puts line l of `file` at place[l] by following the cycles of the
// permutation; `place` ends as the identity.
template <typename Cell>
void permuteLines(FileOf<Cell>& file, std::uint32_t* place) {
  for (std::size_t i = 0; i < file.size(); ++i) {
    while (place[i] != i) {
      const std::size_t j = place[i];
      const auto a = file[i];
      std::swap_ranges(a.begin(), a.end(), file[j].begin());
      std::swap(place[i], place[j]);
    }
  }
}

// Joins the lines of each group, which stand in group order, into one line
// from the front of the block: the key, then the other cells of its lines.
template <typename Cell, typename Groups>
void joinGroupLines(FileOf<Cell>& file, const Groups& groups,
                    std::size_t column, std::size_t width) {
  Cell* const cells = file.size() > 0 ? file[0].data() : nullptr;
  std::vector<Cell> line(width);
  std::size_t out = 0, l = 0;
  std::vector<std::size_t> sizes;
  sizes.reserve(groups.size());
  for (const auto& entry : groups) {
    sizes.push_back(1 + entry.second.lines * (width - 1));
    for (std::size_t k = 0; k < entry.second.lines; ++k, ++l) {
      std::copy(cells + l * width, cells + (l + 1) * width, line.begin());
      if (k == 0) cells[out++] = line[column];
      for (std::size_t c = 0; c < width; ++c) {
        if (c != column) cells[out++] = line[c];
      }
    }
  }
  file.relayoutPacked(sizes);
  file.shrinkToFit();
}

// Grouping of equally wide lines in their own block: the lines are first
// put in group order (by key, table order within a key; lines without a key
// last), then each group's lines are joined into one line from the front of
// the block. A group line never outgrows the lines it is made of, so writing
// never overtakes reading.
template <typename Cell>
void groupInPlace(FileOf<Cell>& file, std::size_t column) {
  const std::size_t n = file.size();
  std::map<NumberOf<Cell>, BlockGroup, KeyLess> groups;
  // The place of every line in group order, kept in a block of its own;
  // it first holds the line's group, so that the groups are looked up once.
  CellBlock places;
  places.reserve(n * sizeof(std::uint32_t), 0);
  std::uint32_t* place = reinterpret_cast<std::uint32_t*>(places.data());
  std::vector<BlockGroup*> found;
  constexpr std::uint32_t kNoKey = UINT32_MAX;
  std::size_t keyed = 0;
  for (std::size_t l = 0; l < n; ++l) {
    const auto line = std::as_const(file)[l];
    place[l] = kNoKey;
    if (!line[column].present()) continue;
    auto [entry, added] = groups.try_emplace(line[column].value());
    if (added) {
      entry->second.seen = static_cast<std::uint32_t>(found.size());
      found.push_back(&entry->second);
    }
    place[l] = entry->second.seen;
    ++entry->second.lines;
    ++keyed;
  }
  std::size_t start = 0;
  for (auto& entry : groups) {
    entry.second.next = start;
    start += entry.second.lines;
  }
  std::size_t unkeyed = keyed;
  for (std::size_t l = 0; l < n; ++l) {
    place[l] = static_cast<std::uint32_t>(
        place[l] == kNoKey ? unkeyed++ : found[place[l]]->next++);
  }
  permuteLines(file, place);
  places.release();
  joinGroupLines(file, groups, column, n > 0 ? file[0].size() : 0);
}

// One line per distinct key cell at `column`, in ascending key order: the
// key, then the other cells of every line carrying it, in table order. A
// line whose key cell is absent or missing adds nothing.
template <typename Cell>
FileOf<Cell> groupByColumn(TableOf<Cell>& data, std::size_t column) {
  FileOf<Cell> all = data.empty() ? FileOf<Cell>() : std::move(data.front());
  for (std::size_t f = 1; f < data.size(); ++f) {
    all.appendFile(std::move(data[f]));
  }
  if (all.empty()) return all;
  if (!all.uniform() || all[0].size() <= column ||
      all.size() >= std::size_t{UINT32_MAX}) {
    return groupLineByLine(all, column);
  }
  groupInPlace(all, column);
  return all;
}

}  // namespace tabsift
