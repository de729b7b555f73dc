// Calculation requests, count and sum.
#include <optional>

#include "base/diagnostics.h"
#include "stats/blocking.h"
#include "stats/request.h"
#include "stats/scope_walk.h"
#include "stats/statistic_names.h"
#include "table/data_operations.h"

namespace {

// Runs one item of a request. Percentiles and the blocked standard error
// go straight to the walker: a percentile carries its N.
template <typename T>
void runItem(DataOperations<T>& store, const tabsift::RequestItem& item) {
  using tabsift::Statistic;
  switch (item.statistic) {
    case Statistic::kSum: store.sum(); break;
    case Statistic::kAverage: store.mean(); break;
    case Statistic::kMedian: store.median(); break;
    case Statistic::kDeviation: store.deviation(); break;
    case Statistic::kCount: store.count(); break;
    case Statistic::kLowest: store.lowest(); break;
    case Statistic::kHighest: store.highest(); break;
    case Statistic::kStandardError: store.standardError(); break;
    case Statistic::kPercentile:
      tabsift::runStatistic(store,
                            tabsift::PercentileAccumulator<T>(item.percent));
      break;
    case Statistic::kBlockedError:
      tabsift::runStatistic(store, tabsift::BlockedErrorAccumulator<T>());
      break;
  }
}

// Line mode: each result cell is named by its statistic. With results only,
// the names of the file numbers that stay in front of the results stay too.
template <typename T>
void nameLineResults(DataOperations<T>& store, const std::string& request) {
  const std::vector<std::string> names = tabsift::statisticNames(request);
  for (tabsift::ColumnNames& file : store.columnNames) {
    if (store.resultsFlag) {
      tabsift::ColumnNames kept;
      for (std::size_t k = 0; k < file.size(); ++k) {
        if (store.fileNumberColumns.holds(k)) kept.push_back(file[k]);
      }
      file.swap(kept);
    }
    file.insert(file.end(), names.begin(), names.end());
  }
}

}  // namespace

// Reads the whole request first, so that a malformed one ends the run before
// any statistic has run; then takes the snapshot of the table's shape that
// every item of the request works on, and runs the items in order. With
// results only, the snapshot's cells then give way to the results, so a
// request of no statistic would leave nothing: it is refused.
template <typename T>
void DataOperations<T>::calculate(std::string request) {
  const std::optional<std::vector<tabsift::RequestItem>> items =
      tabsift::parseCalculateRequest(request);
  if (!items) tabsift::failArgument("Wrong calculate argument");
  if (resultsFlag && items->empty()) {
    tabsift::failArgument(
        "Wrong calculate argument: -r needs at least one statistic");
  }
  lineSizes.assign(data.size(), {});
  for (std::size_t f = 0; f < data.size(); ++f) {
    lineSizes[f].reserve(data[f].size());
    for (const auto& line : data[f]) lineSizes[f].push_back(line.size());
  }
  // In line mode every line grows by one cell per item: make room once,
  // rather than letting each line double its capacity.
  if (!colFlag && !items->empty()) {
    for (File& file : data) {
      for (auto& line : file) line.reserve(line.size() + items->size());
    }
  }
  if (headerFlag && !colFlag) nameLineResults(*this, request);
  for (const tabsift::RequestItem& item : *items) runItem(*this, item);
  if (resultsFlag) keepResultsOnly();
}

// In joined column mode a table whose first file has no lines gets no
// counts, only an empty line at the end of the last file.
template <typename T>
void DataOperations<T>::count() {
  tabsift::runStatistic(*this, tabsift::CountAccumulator<T>());
  if (colFlag && joinFlag && !lineSizes.empty() && lineSizes[0].empty()) {
    data.back().emplace_back();
  }
}

template <typename T>
void DataOperations<T>::sum() {
  tabsift::runStatistic(*this, tabsift::SumAccumulator<T>());
}

#define INSTANTIATE(T)                                     \
  template void DataOperations<T>::calculate(std::string); \
  template void DataOperations<T>::count();                \
  template void DataOperations<T>::sum();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
