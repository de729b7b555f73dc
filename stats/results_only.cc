// Results only: after a calculation request, the cells it summarised give way
// to its results. In line mode every line keeps the cells the request
// appended; in the column modes every file keeps the result lines after its
// snapshot lines. A file left without lines leaves the table, and the record
// of the input each remaining file came from moves with it.
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

#include "table/data_operations.h"

template <typename T>
void DataOperations<T>::keepResultsOnly() {
  for (std::size_t f = 0; f < lineSizes.size() && f < data.size(); ++f) {
    File& file = data[f];
    const std::vector<std::size_t>& sizes = lineSizes[f];
    if (!colFlag) {
      for (std::size_t l = 0; l < sizes.size() && l < file.size(); ++l) {
        Line& line = file[l];
        // An exactly sized line: the summarised cells are usually most of it.
        Line results(line.begin() + static_cast<std::ptrdiff_t>(sizes[l]),
                     line.end());
        line.swap(results);
      }
    } else {
      const std::size_t summarised = std::min(sizes.size(), file.size());
      File results(std::make_move_iterator(
                       file.begin() + static_cast<std::ptrdiff_t>(summarised)),
                   std::make_move_iterator(file.end()));
      file.swap(results);
    }
  }
  const bool recorded = fileInputs.size() == data.size();
  std::size_t kept = 0;
  for (std::size_t f = 0; f < data.size(); ++f) {
    if (data[f].empty()) continue;
    if (kept != f) {
      data[kept] = std::move(data[f]);
      if (recorded) fileInputs[kept] = fileInputs[f];
    }
    ++kept;
  }
  data.resize(kept);
  if (recorded) fileInputs.resize(kept);
}

#define INSTANTIATE(T) template void DataOperations<T>::keepResultsOnly();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
