// Blank filling: short lines are padded with absent cells so that every line
// of a file (or, when the input is joined, of the whole table) is equally
// wide. Columns added so get no name.
#include "base/check.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::fillInBlanks() {
  if (joinFlag) {
    std::size_t width = 0;
    for (const File& file : data) width = file.widest(width);
    for (File& file : data) file.padTo(width);
  } else {
    for (File& file : data) file.padTo(file.widest());
  }
  if (!headerFlag) return;
  TABSIFT_ASSERT(columnNames.size() == data.size());
  for (std::size_t f = 0; f < data.size(); ++f) {
    if (columnNames[f].size() < data[f].widest()) {
      columnNames[f].resize(data[f].widest());
    }
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::fillInBlanks();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
