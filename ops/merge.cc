// Merging: every line tagged with the number of its file, counted over the
// table's files from 1, in a new first column.
#include "ops/file_numbers.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::merge() {
  mergeFlag = true;
  tabsift::tagWithFileNumbers(data);
  fileNumberColumns.setFirst();
}

#define INSTANTIATE(T) template void DataOperations<T>::merge();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
