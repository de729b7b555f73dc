// Results only: after a calculation request, the cells it summarised give way
// to its results. In line mode every line keeps the cells the request
// appended, after the file numbers of a merged run, which line statistics
// do not summarise; in the column modes every file keeps the result lines
// after its snapshot lines. A file left without lines leaves the table, and the
// record of the input each remaining file came from moves with it.
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "stats/scope_walk.h"
#include "table/data_operations.h"

namespace {

// Line mode: every line keeps the present cells of its first `sizes[l]`
// that `kept` marks, then the cells after them; they move to the front of
// the file's block, which gives back the rest.
template <typename File, typename Sizes>
void keepLineResults(File& file, const Sizes& sizes,
                     const std::vector<char>& kept) {
  std::size_t l = 0;
  file.rewrite([&](const auto& line, auto& out) {
    const std::size_t summarised = l < sizes.size() ? sizes[l] : 0;
    ++l;
    out.clear();
    for (std::size_t k = 0; k < summarised && k < kept.size(); ++k) {
      if (kept[k] && line[k].present()) out.push_back(line[k]);
    }
    out.insert(out.end(),
               line.begin() + static_cast<std::ptrdiff_t>(summarised),
               line.end());
    return true;
  });
}

// Column modes: the file keeps the lines after its snapshot lines.
template <typename File>
void keepColumnResults(File& file, std::size_t snapshotLines) {
  std::size_t l = 0;
  file.rewrite([&](const auto& line, auto& out) {
    if (l++ < snapshotLines) return false;
    out.assign(line.begin(), line.end());
    return true;
  });
}

// Removes the files without lines; the input record and the column names
// of each remaining file move with it (when there is one of each per file).
template <typename File>
void dropEmptyFiles(std::vector<File>& data,
                    std::vector<std::size_t>& fileInputs,
                    std::vector<tabsift::ColumnNames>& columnNames) {
  const bool recorded = fileInputs.size() == data.size();
  const bool named = columnNames.size() == data.size();
  std::size_t kept = 0;
  for (std::size_t f = 0; f < data.size(); ++f) {
    if (data[f].empty()) continue;
    if (kept != f) {
      data[kept] = std::move(data[f]);
      if (recorded) fileInputs[kept] = fileInputs[f];
      if (named) columnNames[kept] = std::move(columnNames[f]);
    }
    ++kept;
  }
  data.resize(kept);
  if (recorded) fileInputs.resize(kept);
  if (named) columnNames.resize(kept);
}

}  // namespace

template <typename T>
void DataOperations<T>::keepResultsOnly() {
  const std::vector<char> fileNumbers =
      colFlag ? std::vector<char>() : tabsift::fileNumberMask(*this);
  for (std::size_t f = 0; f < lineSizes.size() && f < data.size(); ++f) {
    if (colFlag) {
      keepColumnResults(data[f], lineSizes[f].size());
    } else {
      keepLineResults(data[f], lineSizes[f], fileNumbers);
    }
  }
  dropEmptyFiles(data, fileInputs, columnNames);
  // Result lines hold no file numbers; kept in front of the line results,
  // they no longer stand at one place in every line.
  fileNumberColumns.forget();
}

#define INSTANTIATE(T) template void DataOperations<T>::keepResultsOnly();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
