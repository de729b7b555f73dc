// Merging: every line tagged with the number of its file, counted over the
// table's files from 1, in a new first column named "file".
#include "base/check.h"
#include "ops/file_numbers.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::merge() {
  mergeFlag = true;
  tabsift::tagWithFileNumbers(data);
  fileNumberColumns.setFirst();
  if (!headerFlag) return;
  TABSIFT_ASSERT(columnNames.size() == data.size());
  for (tabsift::ColumnNames& names : columnNames) {
    names.insert(names.begin(), "file");
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::merge();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
