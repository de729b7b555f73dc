// The column swap: exchanges two columns, cell for cell, in one file of the
// table or in every file; their names go with them.
#include <utility>

#include "base/check.h"
#include "base/diagnostics.h"
#include "ops/file_numbers.h"
#include "ops/name_args.h"
#include "ops/swap_args.h"
#include "ops/swap_columns.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::swap(std::string argument) {
  if (headerFlag) {
    argument = tabsift::resolvedOrRefused(
        argument, tabsift::NamedArgument::kSwap, columnNames, parameters);
  }
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
  if (!headerFlag) return;
  TABSIFT_ASSERT(columnNames.size() == data.size());
  for (std::size_t f = begin; f < end; ++f) {
    tabsift::ColumnNames& names = columnNames[f];
    if (request.columnA < names.size() && request.columnB < names.size()) {
      std::swap(names[request.columnA], names[request.columnB]);
    }
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::swap(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
