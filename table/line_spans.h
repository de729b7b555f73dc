// The per-line records of a file whose lines differ in width: where each
// line starts in the file's block and how many cells it holds.
//
// While the lines come in long runs of one width at equal distances (a
// names line before the numbers, files of different widths gathered into
// one, files of different lengths side by side) one record stands for a
// whole run. Once a line is changed on its own, or the runs are short (the
// widths change line by line), every line gets a record of its own. Either
// way the records lie in one block that grows geometrically, so that
// appending a line costs the same whatever the number of lines before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "base/check.h"
#include "table/cell_block.h"

namespace tabsift {

struct LineSpan {
  std::size_t begin = 0;  // the line's first cell, counted in cells
  std::size_t size = 0;   // the number of cells of the line
};

class LineSpans {
 public:
  LineSpans() = default;
  LineSpans(LineSpans&& other) noexcept { swap(other); }
  LineSpans& operator=(LineSpans&& other) noexcept {
    LineSpans gone(std::move(other));
    swap(gone);
    return *this;
  }
  LineSpans(const LineSpans& other)
      : count_(other.count_), records_(other.records_), byRuns_(other.byRuns_) {
    const std::size_t bytes = records_ * recordSize();
    block_.reserve(bytes, 0);
    if (bytes > 0) std::memcpy(block_.data(), other.block_.data(), bytes);
  }
  LineSpans& operator=(const LineSpans& other) {
    LineSpans copy(other);
    swap(copy);
    return *this;
  }

  void swap(LineSpans& other) noexcept {
    std::swap(block_, other.block_);
    std::swap(count_, other.count_);
    std::swap(records_, other.records_);
    std::swap(byRuns_, other.byRuns_);
    std::swap(cursor_, other.cursor_);
  }

  // The number of lines.
  std::size_t size() const { return count_; }

  // The span of line l (l < size()). Quickest when the lines are taken in
  // order.
  LineSpan operator[](std::size_t l) const {
    TABSIFT_ASSERT(l < count_);
    if (!byRuns_) return spans()[l];
    const Run& run = runs()[findRun(l)];
    return {run.begin + (l - run.first) * run.stride, run.size};
  }

  // The record of line l (l < size()), to be changed; every line gets a
  // record of its own first. Throws std::bad_alloc, the records unchanged.
  LineSpan& edit(std::size_t l) {
    TABSIFT_ASSERT(l < count_);
    if (byRuns_) splitIntoLines();
    return spans()[l];
  }

  // Appends `count` lines of `size` cells, line k of them starting at
  // begin + k * stride. Throws std::bad_alloc, the records unchanged.
  void appendRun(std::size_t begin, std::size_t size, std::size_t stride,
                 std::size_t count);
  void push_back(LineSpan span) { appendRun(span.begin, span.size, 0, 1); }

  // Keeps the first `lines` lines (at most size()) and drops the others.
  void truncate(std::size_t lines);

  // The number of cells of the longest line, at least `width`.
  std::size_t widest(std::size_t width) const;

  // Whether every line holds the same number of cells.
  bool sameWidths() const;

  // Whether the lines lie one after another from cell 0 on, without room
  // between them; if so, the end of the last one in `*end`.
  bool packed(std::size_t* end) const;

  // The number of records there is room for without growing: runs, or
  // lines once every line has a record of its own.
  std::size_t capacity() const { return block_.capacity() / recordSize(); }

  // The bytes the room for the records takes.
  std::size_t bytes() const { return block_.capacity(); }

  // Gives back the room beyond the last record.
  void shrinkToFit() { block_.shrink(records_ * recordSize()); }

  // Removes every line and frees the room.
  void clear() {
    LineSpans gone;
    swap(gone);
  }

 private:
  // Lines [first, the next run's first) of `size` cells, line first + k
  // starting at begin + k * stride (stride unused while the run is one
  // line).
  struct Run {
    std::size_t first;
    std::size_t begin;
    std::size_t size;
    std::size_t stride;
  };

  // From this many runs on, runs shorter than two lines on average give
  // way to a record per line.
  static constexpr std::size_t kFewRuns = 64;

  std::size_t recordSize() const {
    return byRuns_ ? sizeof(Run) : sizeof(LineSpan);
  }
  Run* runs() const { return reinterpret_cast<Run*>(block_.data()); }
  LineSpan* spans() const { return reinterpret_cast<LineSpan*>(block_.data()); }
  // The line after the last of run r.
  std::size_t endOf(std::size_t r) const {
    return r + 1 < records_ ? runs()[r + 1].first : count_;
  }
  // The run that holds line l.
  std::size_t findRun(std::size_t l) const;
  // Whether the lines appended by appendRun continue the last run.
  bool extendsLastRun(std::size_t begin, std::size_t size, std::size_t stride,
                      std::size_t count) const;
  // Room for `records` records, keeping those there are.
  void reserveRecords(std::size_t records) {
    if (records > SIZE_MAX / recordSize()) throw std::bad_alloc();
    block_.reserve(records * recordSize(), records_ * recordSize());
  }
  void splitIntoLines();

  CellBlock block_;
  std::size_t count_ = 0;    // lines
  std::size_t records_ = 0;  // runs, or lines once split into lines
  bool byRuns_ = true;
  mutable std::size_t cursor_ = 0;  // the run found last
};

inline std::size_t LineSpans::findRun(std::size_t l) const {
  const Run* all = runs();
  std::size_t r = cursor_ < records_ ? cursor_ : 0;
  if (l >= all[r].first && l >= endOf(r) && r + 1 < records_ &&
      l < endOf(r + 1)) {
    ++r;
  } else if (l < all[r].first || l >= endOf(r)) {
    // The last run whose first line is at most l (the first run's is 0).
    std::size_t low = 0;
    std::size_t high = records_;
    while (high - low > 1) {
      const std::size_t middle = low + (high - low) / 2;
      if (all[middle].first <= l) {
        low = middle;
      } else {
        high = middle;
      }
    }
    r = low;
  }
  cursor_ = r;
  return r;
}

inline bool LineSpans::extendsLastRun(std::size_t begin, std::size_t size,
                                      std::size_t stride,
                                      std::size_t count) const {
  if (records_ == 0) return false;
  const Run& last = runs()[records_ - 1];
  const std::size_t lines = count_ - last.first;
  if (size != last.size || begin < last.begin) return false;
  const std::size_t step = lines == 1 ? begin - last.begin : last.stride;
  if (lines > 1 && (begin - last.begin) / lines != step) return false;
  if (lines > 1 && (begin - last.begin) % lines != 0) return false;
  return count == 1 || stride == step;
}

inline void LineSpans::appendRun(std::size_t begin, std::size_t size,
                                 std::size_t stride, std::size_t count) {
  if (count == 0) return;
  if (count_ > SIZE_MAX - count) throw std::bad_alloc();
  if (byRuns_ && extendsLastRun(begin, size, stride, count)) {
    Run& last = runs()[records_ - 1];
    if (count_ - last.first == 1) last.stride = begin - last.begin;
    count_ += count;
    return;
  }
  if (byRuns_ && records_ >= kFewRuns && 2 * (records_ + 1) > count_ + count) {
    splitIntoLines();
  }
  if (byRuns_) {
    if (records_ == capacity()) reserveRecords(records_ + 1);
    runs()[records_++] = {count_, begin, size, stride};
    count_ += count;
    return;
  }
  if (records_ > SIZE_MAX - count) throw std::bad_alloc();
  if (records_ + count > capacity()) reserveRecords(records_ + count);
  for (std::size_t k = 0; k < count; ++k) {
    spans()[records_++] = {begin + k * stride, size};
  }
  count_ += count;
}

inline void LineSpans::truncate(std::size_t lines) {
  TABSIFT_ASSERT(lines <= count_);
  if (lines == 0) {
    records_ = 0;
  } else if (byRuns_) {
    records_ = findRun(lines - 1) + 1;
  } else {
    records_ = lines;
  }
  count_ = lines;
  cursor_ = 0;
}

inline std::size_t LineSpans::widest(std::size_t width) const {
  for (std::size_t r = 0; r < records_; ++r) {
    const std::size_t size = byRuns_ ? runs()[r].size : spans()[r].size;
    if (size > width) width = size;
  }
  return width;
}

inline bool LineSpans::sameWidths() const {
  for (std::size_t r = 1; r < records_; ++r) {
    if (byRuns_ ? runs()[r].size != runs()[0].size
                : spans()[r].size != spans()[0].size) {
      return false;
    }
  }
  return true;
}

inline bool LineSpans::packed(std::size_t* end) const {
  std::size_t at = 0;
  for (std::size_t r = 0; r < records_; ++r) {
    const LineSpan first =
        byRuns_ ? LineSpan{runs()[r].begin, runs()[r].size} : spans()[r];
    const std::size_t lines = byRuns_ ? endOf(r) - runs()[r].first : 1;
    if (first.begin != at) return false;
    if (lines > 1 && runs()[r].stride != first.size) return false;
    at += lines * first.size;
  }
  *end = at;
  return true;
}

inline void LineSpans::splitIntoLines() {
  LineSpans lines;
  lines.byRuns_ = false;
  lines.reserveRecords(count_);
  for (std::size_t r = 0; r < records_; ++r) {
    const Run& run = runs()[r];
    for (std::size_t l = run.first; l < endOf(r); ++l) {
      lines.spans()[lines.records_++] = {
          run.begin + (l - run.first) * run.stride, run.size};
    }
  }
  lines.count_ = count_;
  swap(lines);
}

}  // namespace tabsift
