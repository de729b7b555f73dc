// The row filter: keeps the lines whose cell in one column meets one or two
// conditions, cuts each kept line to a list of columns, and gathers the kept
// lines of every file into one file.
#include <utility>

#include "base/check.h"
#include "base/diagnostics.h"
#include "ops/file_numbers.h"
#include "ops/filter_args.h"
#include "ops/filter_lines.h"
#include "ops/gather.h"
#include "ops/lenient_int.h"
#include "ops/name_args.h"
#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::setFilter(std::string request) {
  if (headerFlag) {
    request = tabsift::resolvedOrRefused(
        request, tabsift::NamedArgument::kFilter, columnNames, parameters);
  }
  std::optional<tabsift::FilterRequest> parsed =
      tabsift::parseFilterRequest(request);
  if (!parsed) tabsift::failArgument("Wrong filtr argument");
  // Each call stands alone: conditions and columns of an earlier call do
  // not carry over.
  filterOps = std::move(parsed->ops);
  filterValues = std::move(parsed->thresholds);
  filterLogic = parsed->logic;
  filterColumn = tabsift::indexFromNumber(parsed->column);
  filterKeepColumns.clear();
  for (int number : parsed->keepColumns) {
    filterKeepColumns.push_back(tabsift::indexFromNumber(number));
  }
  if (headerFlag) {
    // The kept columns keep their names, gathered into one file as the
    // lines are.
    TABSIFT_ASSERT(columnNames.size() == data.size());
    for (tabsift::ColumnNames& names : columnNames) {
      names = tabsift::keptNames(names, filterKeepColumns);
    }
    columnNames.assign(1, tabsift::gatheredNames(columnNames));
  }
  startFiltering();
}

template <typename T>
int DataOperations<T>::startFiltering() {
  tabsift::FilterRule<T> rule;
  rule.column = filterColumn;
  rule.logic = filterLogic;
  rule.tolerance = tolerance;
  rule.keepColumns = filterKeepColumns;
  for (std::size_t k = 0; k < filterOps.size() && k < filterValues.size();
       ++k) {
    if (auto op = tabsift::comparisonFromName(filterOps[k])) {
      rule.conditions.push_back({*op, filterValues[k]});
    }
  }
  tabsift::followColumnList(fileNumberColumns, data, rule.keepColumns);
  tabsift::keepPassingLines(data, rule);
  tabsift::gatherIntoOneFile(data, fileInputs);
  return 0;
}

#define INSTANTIATE(T)                                     \
  template void DataOperations<T>::setFilter(std::string); \
  template int DataOperations<T>::startFiltering();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
