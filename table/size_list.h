// A list of line sizes that costs nothing per line while the sizes come in
// long runs of equal ones (the usual shape of a file after blank filling,
// or of files of different widths gathered): the snapshot of a table's
// shape that a calculation request takes. Read like a vector of sizes:
// size(), [l] (quickest in order), range-for.
#pragma once

#include <cstddef>
#include <iterator>

#include "table/line_spans.h"

namespace tabsift {

class SizeList {
 public:
  class Iterator {
   public:
    using value_type = std::size_t;
    using difference_type = std::ptrdiff_t;
    Iterator() = default;
    Iterator(const SizeList* list, std::size_t index)
        : list_(list), index_(index) {}
    std::size_t operator*() const { return (*list_)[index_]; }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++index_;
      return before;
    }
    bool operator==(const Iterator& other) const {
      return index_ == other.index_;
    }

   private:
    const SizeList* list_ = nullptr;
    std::size_t index_ = 0;
  };

  std::size_t size() const { return sizes_.size(); }
  bool empty() const { return sizes_.size() == 0; }
  std::size_t operator[](std::size_t l) const { return sizes_[l].size; }
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, size()); }

  void push_back(std::size_t size) { sizes_.push_back({0, size}); }
  // Sizes are kept by runs of equal ones: nothing to reserve.
  void reserve(std::size_t) {}
  void clear() { sizes_.clear(); }

 private:
  // Runs of equal sizes, one record a run (a size a record once they are
  // short), the begin of every span 0.
  LineSpans sizes_;
};

}  // namespace tabsift
