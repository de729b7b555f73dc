// Average and sample standard deviation.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::mean() {
}

template <typename T>
void DataOperations<T>::deviation() {
}

#define INSTANTIATE(T) template void DataOperations<T>::mean(); template void DataOperations<T>::deviation();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
