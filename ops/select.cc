// Selection of columns and named parameters.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::print(std::string /*selection*/) {
}

#define INSTANTIATE(T) template void DataOperations<T>::print(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
