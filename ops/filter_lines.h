// The row filter as a transform: keeps the lines whose cell in one column
// meets the conditions and cuts each kept line to a list of columns. Every
// file keeps its own kept lines; gathering them is the caller's step.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "ops/cells.h"
#include "ops/filter_condition.h"

namespace tabsift {

struct Condition {
  Comparison op;
  double threshold;
};

template <typename Number>
struct FilterRule {
  std::size_t column = 0;             // 0-based column the conditions test
  std::vector<Condition> conditions;  // one or two
  char logic = '0';                   // '0' one condition, 'o' either, 'a' both
  Number tolerance = 0;
  std::vector<std::size_t> keepColumns;  // 0-based; empty keeps every cell
};

// Whether a line passes: an absent or missing test cell fails at once; with
// 'o' the first condition that holds decides, with 'a' the first that fails.
template <typename Cell>
bool linePasses(const LineOf<Cell>& line,
                const FilterRule<NumberOf<Cell>>& rule) {
  if (!hasPresentCell(line, rule.column)) return false;
  const NumberOf<Cell> x = line[rule.column].value();
  bool held = false;
  for (const Condition& condition : rule.conditions) {
    held = conditionHolds(condition.op, x, condition.threshold, rule.tolerance);
    if (rule.logic == 'o' && held) return true;
    if (rule.logic == 'a' && !held) return false;
  }
  return held;
}

// The cells of `line` at `columns`, in list order; a column beyond the line
// adds nothing.
template <typename Cell>
LineOf<Cell> cutToColumns(const LineOf<Cell>& line,
                          const std::vector<std::size_t>& columns) {
  LineOf<Cell> cut;
  cut.reserve(columns.size());
  for (std::size_t k : columns) {
    if (k < line.size()) cut.push_back(line[k]);
  }
  return cut;
}

// Kept lines move toward the front of their own file, so filtering needs no
// second copy of the table; dropped lines give their memory back at once.
template <typename Cell>
void keepPassingLines(TableOf<Cell>& data,
                      const FilterRule<NumberOf<Cell>>& rule) {
  for (FileOf<Cell>& file : data) {
    std::size_t kept = 0;
    for (std::size_t l = 0; l < file.size(); ++l) {
      LineOf<Cell>& line = file[l];
      if (!linePasses(line, rule)) {
        LineOf<Cell>().swap(line);
        continue;
      }
      if (!rule.keepColumns.empty())
        line = cutToColumns(line, rule.keepColumns);
      if (kept != l) file[kept] = std::move(line);
      ++kept;
    }
    file.resize(kept);
  }
}

}  // namespace tabsift
