// Calculation requests, count and sum.
#include <optional>

#include "base/diagnostics.h"
#include "stats/request.h"
#include "stats/scope_walk.h"
#include "stats/statistic_names.h"
#include "table/data_operations.h"

// Reads the whole request first, so that a malformed one ends the run before
// any statistic has run; then takes the snapshot of the table's shape that
// every letter of the request works on, and runs the letters in order. With
// results only, the snapshot's cells then give way to the results.
template <typename T>
void DataOperations<T>::calculate(std::string request) {
  const std::optional<std::vector<tabsift::Statistic>> letters =
      tabsift::parseCalculateRequest(request);
  if (!letters) tabsift::failArgument("Wrong calculate argument");
  lineSizes.assign(data.size(), {});
  for (std::size_t f = 0; f < data.size(); ++f) {
    lineSizes[f].reserve(data[f].size());
    for (const auto& line : data[f]) lineSizes[f].push_back(line.size());
  }
  // In line mode every line grows by one cell per letter: make room once,
  // rather than letting each line double its capacity.
  if (!colFlag && !letters->empty()) {
    for (File& file : data) {
      for (auto& line : file) line.reserve(line.size() + letters->size());
    }
  }
  for (tabsift::Statistic letter : *letters) {
    switch (letter) {
      case tabsift::Statistic::kSum: sum(); break;
      case tabsift::Statistic::kAverage: mean(); break;
      case tabsift::Statistic::kMedian: median(); break;
      case tabsift::Statistic::kDeviation: deviation(); break;
      case tabsift::Statistic::kCount: count(); break;
      case tabsift::Statistic::kLowest: lowest(); break;
      case tabsift::Statistic::kHighest: highest(); break;
      case tabsift::Statistic::kStandardError: standardError(); break;
    }
  }
  if (headerFlag && !colFlag) {
    // Each result cell is named by its statistic.
    const std::vector<std::string> names = tabsift::statisticNames(request);
    for (tabsift::ColumnNames& file : columnNames) {
      if (resultsFlag) file.clear();
      file.insert(file.end(), names.begin(), names.end());
    }
  }
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
