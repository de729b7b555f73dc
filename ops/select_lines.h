// The selection as transforms. `fileCells` holds, for each file of the
// table, one cell per item: the file's parameter cell for a parameter item
// (absent for a column item), so that the transforms need no parameters.
#pragma once

#include <cstddef>
#include <vector>

#include "ops/cells.h"
#include "ops/select_args.h"

namespace tabsift {

template <typename Cell>
using ParameterCells = std::vector<LineOf<Cell>>;

// Every line rebuilt where it stands from the items in order: a column item
// takes the line's cell (absent beyond the line), a parameter item the
// file's parameter cell.
template <typename Cell>
void selectItems(TableOf<Cell>& data, const std::vector<SelectItem>& items,
                 const ParameterCells<Cell>& fileCells) {
  for (std::size_t f = 0; f < data.size(); ++f) {
    data[f].rewrite([&](const auto& line, LineOf<Cell>& selected) {
      for (std::size_t k = 0; k < items.size(); ++k) {
        const SelectItem& item = items[k];
        if (!item.isColumn) {
          selected.push_back(fileCells[f][k]);
        } else if (item.column < line.size()) {
          selected.push_back(line[item.column]);
        } else {
          selected.push_back(Cell());
        }
      }
      return true;
    });
  }
}

// One line per file holding that file's parameter cells, in item order.
template <typename Cell>
FileOf<Cell> parameterLines(const std::vector<SelectItem>& items,
                            const ParameterCells<Cell>& fileCells) {
  FileOf<Cell> lines;
  LineOf<Cell> line;
  for (const LineOf<Cell>& cells : fileCells) {
    line.clear();
    for (std::size_t k = 0; k < items.size(); ++k) {
      if (!items[k].isColumn) line.push_back(cells[k]);
    }
    lines.push_back(line);
  }
  return lines;
}

}  // namespace tabsift
