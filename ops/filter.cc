// The row filter: keeps the lines whose cell in one column meets one or two
// conditions, cuts each kept line to a list of columns, and gathers the kept
// lines of every file into one file.
#include <utility>

#include "ops/filter_args.h"
#include "ops/filter_condition.h"
#include "ops/gather.h"
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
    if (column >= line.size() || !line[column].present()) return false;
    held = tabsift::conditionHolds(condition.op, line[column].value(),
                                   condition.threshold, tolerance);
    if (logic == 'o' && held) return true;
    if (logic == 'a' && !held) return false;
  }
  return held;
}

}  // namespace

template <typename T>
void DataOperations<T>::setFilter(std::string request) {
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
  // Kept lines move toward the front of their own file, so filtering needs
  // no second copy of the table; then the files are gathered into the first.
  resultLines.clear();
  for (File& file : data) {
    std::size_t kept = 0;
    for (std::size_t l = 0; l < file.size(); ++l) {
      Line& line = file[l];
      if (!linePasses(line, filterColumn, conditions, filterLogic,
                      tolerance)) {
        Line().swap(line);
        continue;
      }
      if (!filterKeepColumns.empty()) {
        lineBuffer.clear();
        for (std::size_t k : filterKeepColumns) {
          if (k < line.size()) lineBuffer.push_back(line[k]);
        }
        Line(lineBuffer).swap(line);
      }
      if (kept != l) file[kept] = std::move(line);
      ++kept;
    }
    file.resize(kept);
  }
  tabsift::gatherIntoOneFile(data);
  fileInputs.assign(1, 0);
  return 0;
}

#define INSTANTIATE(T)                                         \
  template void DataOperations<T>::setFilter(std::string);     \
  template int DataOperations<T>::startFiltering();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
