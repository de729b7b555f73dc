// Construction and the plain setters of the table store, and the explicit
// instantiation of the store for the three cell types.
#include "table/data_operations.h"

#include "number/cell_convert.h"

template <typename T>
DataOperations<T>::DataOperations() = default;

template <typename T>
DataOperations<T>::~DataOperations() = default;

template <typename T>
void DataOperations<T>::join() {
  joinFlag = true;
}

template <typename T>
void DataOperations<T>::tab() {
  tabFlag = true;
}

template <typename T>
void DataOperations<T>::col() {
  colFlag = true;
}

template <typename T>
void DataOperations<T>::results() {
  resultsFlag = true;
}

template <typename T>
void DataOperations<T>::setLineFormat(tabsift::LineFormat format) {
  lineFormat = format;
}

template <typename T>
void DataOperations<T>::header() {
  headerFlag = true;
}

template <typename T>
void DataOperations<T>::tol(double x) {
  tolerance = tabsift::toleranceToCell<T>(x);
}

template <typename T>
void DataOperations<T>::prec(int n) {
  precision = n;
}

template <typename T>
void DataOperations<T>::blanks(std::string text) {
  blankText = std::move(text);
}

template <typename T>
void DataOperations<T>::setCommand(std::string text) {
  command = std::move(text);
}

template class DataOperations<int>;
template class DataOperations<float>;
template class DataOperations<double>;
