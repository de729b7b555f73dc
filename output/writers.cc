// Output routing and the table writers.
// Not built yet: these members do nothing.
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::setOutputFiles(std::string /*list*/) {
}

template <typename T>
void DataOperations<T>::printOut() {
}

template <typename T>
void DataOperations<T>::printToStd() {
}

template <typename T>
void DataOperations<T>::printToFile() {
}

template <typename T>
void DataOperations<T>::printToFiles() {
}

#define INSTANTIATE(T) template void DataOperations<T>::setOutputFiles(std::string); template void DataOperations<T>::printOut(); template void DataOperations<T>::printToStd(); template void DataOperations<T>::printToFile(); template void DataOperations<T>::printToFiles();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
