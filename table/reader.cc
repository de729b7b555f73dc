// Reading the input files or standard input into the table.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::parseFiles(std::string /*list*/) {
}

template <typename T>
void DataOperations<T>::load() {
}

#define INSTANTIATE(T) template void DataOperations<T>::parseFiles(std::string); template void DataOperations<T>::load();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
