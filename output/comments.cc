// The run header and the comment lines of the inputs.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::comments(std::string /*mode*/) {
}

template <typename T>
void DataOperations<T>::commIn(std::ostream* /*stream*/, int /*input*/) {
}

template <typename T>
void DataOperations<T>::commOut(std::ostream* /*stream*/) {
}

#define INSTANTIATE(T) template void DataOperations<T>::comments(std::string); template void DataOperations<T>::commIn(std::ostream*, int); template void DataOperations<T>::commOut(std::ostream*);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
