// Lowest and highest value.
#include "stats/scope_walk.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::lowest() {
  tabsift::runStatistic(*this, tabsift::LowestAccumulator<T>());
}

template <typename T>
void DataOperations<T>::highest() {
  tabsift::runStatistic(*this, tabsift::HighestAccumulator<T>());
}

#define INSTANTIATE(T)                       \
  template void DataOperations<T>::lowest(); \
  template void DataOperations<T>::highest();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
