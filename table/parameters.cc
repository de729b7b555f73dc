// Named parameters from the comment lines of each input.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::parseComments() {
}

#define INSTANTIATE(T) template void DataOperations<T>::parseComments();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
