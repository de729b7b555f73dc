// Runs one statistic over the snapshot of a calculation request and places
// its results in the table. The snapshot (`lineSizes`) is the shape of the
// table when the request began, so results of earlier letters of the same
// request, which lie beyond it, are never taken as values.
//
// Line mode: the scope of each snapshot line is its snapshot cells but the
// file numbers of a merged run; the result is appended to the line. Column
// mode: the scope of column k is cell k of every snapshot line of one file, and
// the result line goes to the end of that file. Joined column mode: the scope
// spans every file and the one result line goes to the end of the last file,
// provided the first file has lines. A result line is as wide as the widest
// snapshot line of its scope, so no cell is ever left out.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/check.h"
#include "stats/accumulators.h"
#include "table/data_operations.h"

namespace tabsift {

// Counts the results written as absent cells for a reason: they did not
// fit in an int cell, or their scope was too short.
struct WalkResult {
  std::size_t tooLarge = 0;
  std::size_t tooShort = 0;
};

// The line that tells that results of `statistic` did not fit in an int
// cell and were written as absent cells.
std::string tooLargeMessage(std::string_view statistic);

// The line that tells that scopes were too short for `statistic`.
std::string tooShortMessage(std::string_view statistic);

// Writes tooLargeMessage and tooShortMessage on standard error, each once
// per run of a statistic, when some of its results were absent for that
// reason. The run goes on.
void warnIfAbsent(std::string_view statistic, const WalkResult& walk);

template <typename T>
typename DataOperations<T>::Value cellOf(const Outcome<T>& outcome,
                                         WalkResult& walk) {
  using Value = typename DataOperations<T>::Value;
  if (outcome.kind == Outcome<T>::kTooLarge) ++walk.tooLarge;
  if (outcome.kind == Outcome<T>::kTooShort) ++walk.tooShort;
  return outcome.kind == Outcome<T>::kPresent ? Value(outcome.value) : Value();
}

// For each column of the widest snapshot line, whether it holds the file
// numbers of a merged run; empty when no column does.
template <typename T>
std::vector<char> fileNumberMask(const DataOperations<T>& store) {
  if (!store.fileNumberColumns.any()) return {};
  std::size_t width = 0;
  for (const auto& sizes : store.lineSizes) {
    for (std::size_t size : sizes) width = std::max(width, size);
  }
  return store.fileNumberColumns.mask(width);
}

template <typename T, typename Accumulator>
void walkLines(DataOperations<T>& store, Accumulator accumulator,
               WalkResult& walk) {
  const std::vector<char> skipped = fileNumberMask(store);
  for (std::size_t f = 0; f < store.lineSizes.size(); ++f) {
    for (std::size_t l = 0; l < store.lineSizes[f].size(); ++l) {
      auto&& line = store.data[f][l];
      const std::size_t width = store.lineSizes[f][l];
      TABSIFT_ASSERT(skipped.empty() || width <= skipped.size());
      accumulator.reset();
      for (int pass = 0; pass < Accumulator::kPasses; ++pass) {
        if (skipped.empty()) {
          for (std::size_t k = 0; k < width; ++k) {
            if (line[k].present()) accumulator.take(line[k].value());
          }
        } else {
          for (std::size_t k = 0; k < width; ++k) {
            if (line[k].present() && !skipped[k]) {
              accumulator.take(line[k].value());
            }
          }
        }
        accumulator.endPass();
      }
      line.push_back(cellOf(accumulator.finish(ScopeKind::kLine), walk));
    }
  }
}

// The number of walks over the table in which a statistic that holds its
// values takes the columns.
inline constexpr std::size_t kHoldingBatches = 4;

// One column scope: the snapshot lines of files [first, last), its result
// line appended to file `target`.
template <typename T, typename Accumulator>
void walkColumns(DataOperations<T>& store, const Accumulator& prototype,
                 std::size_t first, std::size_t last, std::size_t target,
                 WalkResult& walk) {
  std::size_t width = 0, lines = 0;
  for (std::size_t f = first; f < last; ++f) {
    for (std::size_t size : store.lineSizes[f]) width = std::max(width, size);
    lines += store.lineSizes[f].size();
  }
  // A statistic that holds every value of its scope (the median) takes the
  // columns a quarter at a time, so that the values held at once stay well
  // below the size of the table; the others take all columns in one walk.
  std::size_t batch = width;
  if constexpr (requires(Accumulator a) { a.reserve(lines); }) {
    batch = (width + kHoldingBatches - 1) / kHoldingBatches;
  }
  typename DataOperations<T>::Line result(width);
  for (std::size_t begin = 0; begin < width; begin += batch) {
    const std::size_t end = std::min(width, begin + batch);
    std::vector<Accumulator> columns(end - begin, prototype);
    if constexpr (requires(Accumulator a) { a.reserve(lines); }) {
      for (Accumulator& column : columns) column.reserve(lines);
    }
    for (int pass = 0; pass < Accumulator::kPasses; ++pass) {
      for (std::size_t f = first; f < last; ++f) {
        const auto& file = store.data[f];
        const auto& sizes = store.lineSizes[f];
        for (std::size_t l = 0; l < sizes.size(); ++l) {
          const auto* cells = file[l].data();
          const std::size_t stop = std::min(end, sizes[l]);
          for (std::size_t k = begin; k < stop; ++k) {
            if (cells[k].present()) columns[k - begin].take(cells[k].value());
          }
        }
      }
      for (Accumulator& column : columns) column.endPass();
    }
    for (std::size_t k = begin; k < end; ++k) {
      result[k] = cellOf(columns[k - begin].finish(ScopeKind::kColumn), walk);
    }
  }
  store.data[target].push_back(std::move(result));
}

// Runs the statistic of `accumulator` (a fresh one) in the store's mode, and
// tells, under the statistic's name, when some results did not fit.
template <typename T, typename Accumulator>
void runStatistic(DataOperations<T>& store, Accumulator accumulator) {
  WalkResult walk;
  const auto& sizes = store.lineSizes;
  if (!store.colFlag) {
    walkLines(store, std::move(accumulator), walk);
  } else if (store.joinFlag) {
    if (!sizes.empty() && !sizes[0].empty()) {
      walkColumns(store, accumulator, 0, sizes.size(), sizes.size() - 1, walk);
    }
  } else {
    for (std::size_t f = 0; f < sizes.size(); ++f) {
      if (!sizes[f].empty()) walkColumns(store, accumulator, f, f + 1, f, walk);
    }
  }
  warnIfAbsent(Accumulator::kName, walk);
}

}  // namespace tabsift
