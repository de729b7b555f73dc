// Blank filling: short lines are padded with absent cells so that every line
// of a file (or, when the input is joined, of the whole table) is equally
// wide.
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
}

#define INSTANTIATE(T) template void DataOperations<T>::fillInBlanks();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
