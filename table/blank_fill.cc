// Blank filling: short lines are padded with absent cells so that every line
// of a file (or, when the input is joined, of the whole table) is equally
// wide.
#include <algorithm>

#include "table/data_operations.h"

namespace {

template <typename File>
std::size_t widestLine(const File& file, std::size_t width) {
  for (const auto& line : file) width = std::max(width, line.size());
  return width;
}

template <typename File>
void padTo(File& file, std::size_t width) {
  for (auto& line : file) {
    if (line.size() < width) line.resize(width);
  }
}

}  // namespace

template <typename T>
void DataOperations<T>::fillInBlanks() {
  if (joinFlag) {
    std::size_t width = 0;
    for (const File& file : data) width = widestLine(file, width);
    for (File& file : data) padTo(file, width);
  } else {
    for (File& file : data) padTo(file, widestLine(file, 0));
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::fillInBlanks();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
