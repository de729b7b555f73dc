// The file-number column of a merged run as a transform: every line gets the
// number of its file of the table, from 1, as a new first cell.
#pragma once

#include <cstddef>

#include "ops/cells.h"

namespace tabsift {

template <typename Cell>
void tagWithFileNumbers(TableOf<Cell>& data) {
  for (std::size_t f = 0; f < data.size(); ++f) {
    data[f].prependCell(Cell(static_cast<NumberOf<Cell>>(f + 1)));
  }
}

}  // namespace tabsift
