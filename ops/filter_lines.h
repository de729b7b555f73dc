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
template <typename Line, typename Number>
bool linePasses(const Line& line, const FilterRule<Number>& rule) {
  if (!hasPresentCell(line, rule.column)) return false;
  const Number x = line[rule.column].value();
  bool held = false;
  for (const Condition& condition : rule.conditions) {
    held = conditionHolds(condition.op, x, condition.threshold, rule.tolerance);
    if (rule.logic == 'o' && held) return true;
    if (rule.logic == 'a' && !held) return false;
  }
  return held;
}

// Appends the cells of `line` at `columns` to `out`, in list order; a
// column beyond the line adds nothing.
template <typename Line, typename Cell>
void cutToColumns(const Line& line, const std::vector<std::size_t>& columns,
                  LineOf<Cell>& out) {
  for (std::size_t k : columns) {
    if (k < line.size()) out.push_back(line[k]);
  }
}

// Kept lines move toward the front of their own file, so filtering needs no
// second copy of the table; the room of dropped lines is given back.
template <typename Cell>
void keepPassingLines(TableOf<Cell>& data,
                      const FilterRule<NumberOf<Cell>>& rule) {
  for (FileOf<Cell>& file : data) {
    file.rewrite([&rule](const auto& line, LineOf<Cell>& out) {
      if (!linePasses(line, rule)) return false;
      if (rule.keepColumns.empty()) {
        out.assign(line.begin(), line.end());
      } else {
        cutToColumns(line, rule.keepColumns, out);
      }
      return true;
    });
  }
}

}  // namespace tabsift
