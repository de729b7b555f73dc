// The per-line records of a file whose lines differ in width: where each
// line starts in the file's block and how many cells it holds. They lie in
// a block of their own that grows geometrically (a large one by remapping,
// without copying), so that appending a line costs the same whatever the
// number of lines before it.
#pragma once

#include <cstddef>
#include <cstdint>
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

  void swap(LineSpans& other) noexcept {
    std::swap(block_, other.block_);
    std::swap(count_, other.count_);
  }

  std::size_t size() const { return count_; }

  LineSpan& operator[](std::size_t l) {
    TABSIFT_ASSERT(l < count_);
    return spans()[l];
  }
  const LineSpan& operator[](std::size_t l) const {
    TABSIFT_ASSERT(l < count_);
    return spans()[l];
  }

  // The number of records there is room for without growing.
  std::size_t capacity() const { return block_.capacity() / sizeof(LineSpan); }

  // Appends a record; the room grows geometrically. Throws std::bad_alloc
  // and then leaves the records as they were.
  void push_back(LineSpan span) {
    if (count_ == capacity()) reserve(count_ + 1);
    spans()[count_++] = span;
  }

  // Room for at least n records.
  void reserve(std::size_t n) {
    if (n > SIZE_MAX / sizeof(LineSpan)) throw std::bad_alloc();
    block_.reserve(n * sizeof(LineSpan), count_ * sizeof(LineSpan));
  }

  // Gives back the room beyond the last record.
  void shrinkToFit() { block_.shrink(count_ * sizeof(LineSpan)); }

  // Removes every record and frees the room.
  void clear() {
    LineSpans gone;
    swap(gone);
  }

 private:
  LineSpan* spans() const { return reinterpret_cast<LineSpan*>(block_.data()); }

  CellBlock block_;
  std::size_t count_ = 0;
};

}  // namespace tabsift
