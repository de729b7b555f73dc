// Grouping lines by a column's value or by their position in the files.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::group(std::string /*request*/) {
}

#define INSTANTIATE(T) template void DataOperations<T>::group(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
