// The column swap: exchanges two columns, cell for cell, in one file of the
// table or in every file.
#include <algorithm>
#include <utility>

#include "ops/swap_args.h"
#include "table/data_operations.h"
#include "table/diagnostics.h"

template <typename T>
void DataOperations<T>::swap(std::string argument) {
  const tabsift::SwapRequest request = tabsift::parseSwapRequest(argument);
  const std::size_t a = request.columnA;
  const std::size_t b = request.columnB;
  std::size_t begin = 0;
  std::size_t end = data.size();
  if (!joinFlag && request.oneFile) {
    if (request.file >= data.size()) {
      tabsift::failArgument("Wrong swap argument!");
    }
    begin = request.file;
    end = begin + 1;
  }
  // A column is never swapped with itself, whatever the table holds.
  if (a == b) tabsift::failArgument("Wrong swap argument!");
  // Each chosen file must reach both columns in its first line; a file
  // without lines has nothing to swap and is passed over.
  for (std::size_t f = begin; f < end; ++f) {
    if (data[f].empty()) continue;
    const Line& first = data[f].front();
    if (first.size() <= a || first.size() <= b) {
      tabsift::failArgument("Wrong swap argument!");
    }
  }
  // A later line too short for either column is left as it is.
  const std::size_t needed = std::max(a, b);
  for (std::size_t f = begin; f < end; ++f) {
    for (Line& line : data[f]) {
      if (line.size() > needed) std::swap(line[a], line[b]);
    }
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::swap(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
