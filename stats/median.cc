// Median.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::median() {
}

#define INSTANTIATE(T) template void DataOperations<T>::median();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
