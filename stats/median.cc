// Median.
#include "stats/scope_walk.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::median() {
  tabsift::runStatistic(*this, tabsift::MedianAccumulator<T>());
}

#define INSTANTIATE(T) template void DataOperations<T>::median();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
