// The row filter: keeps the lines whose cell in one column meets one or two
// conditions, cuts each kept line to a list of columns, and gathers the kept
// lines of every file into one file.
#include <utility>

#include "ops/filter_args.h"
#include "ops/filter_condition.h"
#include "ops/lenient_int.h"
#include "table/data_operations.h"
#include "table/diagnostics.h"

namespace {

struct Condition {
  tabsift::Comparison op;
  double threshold;
};

// Whether a line passes: an absent or missing test cell fails at once; with
// 'o' the first condition that holds decides, with 'a' the first that fails.
template <typename Line, typename T>
bool linePasses(const Line& line, std::size_t column,
                const std::vector<Condition>& conditions, char logic,
                T tolerance) {
  bool held = false;
  for (const Condition& condition : conditions) {
    if (column >= line.size() || !line[column].present) return false;
    held = tabsift::conditionHolds(condition.op, line[column].value,
                                   condition.threshold, tolerance);
    if (logic == 'o' && held) return true;
    if (logic == 'a' && !held) return false;
  }
  return held;
}

}  // namespace

template <typename T>
void DataOperations<T>::setFilter(std::string request) {
  filterLogic = '0';
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
  startFiltering();
}

template <typename T>
int DataOperations<T>::startFiltering() {
  std::vector<Condition> conditions;
  for (std::size_t k = 0; k < filterOps.size() && k < filterValues.size();
       ++k) {
    if (auto op = tabsift::comparisonFromName(filterOps[k])) {
      conditions.push_back({*op, filterValues[k]});
    }
  }
  resultLines.clear();
  for (File& file : data) {
    for (Line& line : file) {
      if (!linePasses(line, filterColumn, conditions, filterLogic,
                      tolerance)) {
        Line().swap(line);
        continue;
      }
      if (filterKeepColumns.empty()) {
        resultLines.push_back(std::move(line));
        continue;
      }
      lineBuffer.clear();
      for (std::size_t k : filterKeepColumns) {
        if (k < line.size()) lineBuffer.push_back(line[k]);
      }
      resultLines.push_back(lineBuffer);
      Line().swap(line);
    }
    File().swap(file);
  }
  // The kept lines move into the table; no second copy stays behind.
  data.clear();
  data.push_back(std::move(resultLines));
  resultLines.clear();
  fileInputs.assign(1, 0);
  return 0;
}

#define INSTANTIATE(T)                                         \
  template void DataOperations<T>::setFilter(std::string);     \
  template int DataOperations<T>::startFiltering();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
