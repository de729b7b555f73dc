// The row filter.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::setFilter(std::string /*request*/) {
}

template <typename T>
int DataOperations<T>::startFiltering() {
  return 0;
}

#define INSTANTIATE(T) template void DataOperations<T>::setFilter(std::string); template int DataOperations<T>::startFiltering();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
