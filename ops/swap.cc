// The column swap: exchanges two columns, cell for cell, in one file of the
// table or in every file.
#include "base/diagnostics.h"
#include "ops/file_numbers.h"
#include "ops/swap_args.h"
#include "ops/swap_columns.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::swap(std::string argument) {
  const tabsift::SwapRequest request = tabsift::parseSwapRequest(argument);
  // With join every file is chosen, whatever file the argument names.
  std::size_t begin = 0;
  std::size_t end = data.size();
  if (!joinFlag && request.oneFile) {
    if (request.file >= data.size()) {
      tabsift::failArgument("Wrong swap argument!");
    }
    begin = request.file;
    end = begin + 1;
  }
  if (!tabsift::swapFits(data, begin, end, request.columnA, request.columnB)) {
    tabsift::failArgument("Wrong swap argument!");
  }
  tabsift::followSwap(fileNumberColumns, data, begin, end, request.columnA,
                      request.columnB);
  tabsift::swapColumns(data, begin, end, request.columnA, request.columnB);
}

#define INSTANTIATE(T) template void DataOperations<T>::swap(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
