// Merging: tagging every line with its file number.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::merge() {
}

#define INSTANTIATE(T) template void DataOperations<T>::merge();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
