// Average, sample standard deviation and standard error of the average.
#include "stats/scope_walk.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::mean() {
  tabsift::runStatistic(*this, tabsift::AverageAccumulator<T>());
}

template <typename T>
void DataOperations<T>::deviation() {
  tabsift::runStatistic(*this, tabsift::DeviationAccumulator<T>());
}

template <typename T>
void DataOperations<T>::standardError() {
  tabsift::runStatistic(*this, tabsift::StandardErrorAccumulator<T>());
}

#define INSTANTIATE(T)                          \
  template void DataOperations<T>::mean();      \
  template void DataOperations<T>::deviation(); \
  template void DataOperations<T>::standardError();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
