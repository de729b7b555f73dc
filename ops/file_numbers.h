// The file-number column of a merged run as a transform: every line gets the
// number of its file of the table, from 1, as a new first cell.
#pragma once

#include <cstddef>

#include "ops/cells.h"

namespace tabsift {

template <typename Cell>
void tagWithFileNumbers(TableOf<Cell>& data) {
  for (std::size_t f = 0; f < data.size(); ++f) {
    const Cell number(static_cast<NumberOf<Cell>>(f + 1));
    for (LineOf<Cell>& line : data[f]) {
      // An exactly sized new line: inserting in place would double the
      // capacity of every line.
      LineOf<Cell> tagged;
      tagged.reserve(line.size() + 1);
      tagged.push_back(number);
      tagged.insert(tagged.end(), line.begin(), line.end());
      line.swap(tagged);
    }
  }
}

}  // namespace tabsift
