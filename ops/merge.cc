// Merging: every line tagged with the number of its file, counted over the
// table's files from 1, in a new first column.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::merge() {
  mergeFlag = true;
  for (std::size_t f = 0; f < data.size(); ++f) {
    const Value number(static_cast<T>(f + 1));
    for (Line& line : data[f]) {
      // An exactly sized new line: inserting in place would double the
      // capacity of every line.
      Line tagged;
      tagged.reserve(line.size() + 1);
      tagged.push_back(number);
      tagged.insert(tagged.end(), line.begin(), line.end());
      line.swap(tagged);
    }
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::merge();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
