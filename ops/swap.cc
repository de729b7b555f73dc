// The column swap.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::swap(std::string /*request*/) {
}

#define INSTANTIATE(T) template void DataOperations<T>::swap(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
