// Calculation requests, count and sum.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::calculate(std::string /*request*/) {
}

template <typename T>
void DataOperations<T>::count() {
}

template <typename T>
void DataOperations<T>::sum() {
}

#define INSTANTIATE(T) template void DataOperations<T>::calculate(std::string); template void DataOperations<T>::count(); template void DataOperations<T>::sum();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
