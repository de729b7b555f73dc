// Merging: every line tagged with the number of its file, counted over the
// table's files from 1, in a new first column.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::merge() {
  mergeFlag = true;
  for (std::size_t f = 0; f < data.size(); ++f) {
    const Value number(static_cast<T>(f + 1));
    for (Line& line : data[f]) line.insert(line.begin(), number);
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::merge();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
