// Grouping: lines gathered by the value in one column, sorted by that value,
// or the table's files laid side by side line by line. Either way the table
// ends as one file.
#include <utility>

#include "base/diagnostics.h"
#include "ops/file_numbers.h"
#include "ops/gather.h"
#include "ops/group_args.h"
#include "ops/group_lines.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::group(std::string argument) {
  std::optional<tabsift::GroupRequest> request =
      tabsift::parseGroupRequest(argument);
  if (!request) tabsift::failArgument("Wrong group argument");
  if (request->byFiles) {
    tabsift::followSideBySide(fileNumberColumns, data);
    tabsift::becomeOneFile(data, fileInputs, tabsift::sideBySide(data));
    return;
  }
  // A table without lines groups to one without lines; otherwise some line
  // must reach the column.
  if (!tabsift::someLineReaches(data, request->column) &&
      tabsift::hasLines(data)) {
    tabsift::failArgument("Wrong group argument");
  }
  tabsift::followGrouping(fileNumberColumns, data, request->column);
  tabsift::becomeOneFile(data, fileInputs,
                         tabsift::groupByColumn(data, request->column));
  fillInBlanks();
}

#define INSTANTIATE(T) template void DataOperations<T>::group(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
