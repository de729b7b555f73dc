// A list of line sizes that costs nothing per line while every size is the
// same (the usual shape of a file after blank filling): the snapshot of a
// table's shape that a calculation request takes. Read like a vector of
// sizes: size(), [l], range-for.
#pragma once

#include <cstddef>
#include <iterator>
#include <vector>

#include "base/check.h"

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

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  std::size_t operator[](std::size_t l) const {
    TABSIFT_ASSERT(l < count_);
    return sizes_.empty() ? same_ : sizes_[l];
  }
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, count_); }

  void push_back(std::size_t size) {
    if (sizes_.empty()) {
      if (count_ == 0 || size == same_) {
        same_ = size;
        ++count_;
        return;
      }
      sizes_.assign(count_, same_);
    }
    sizes_.push_back(size);
    ++count_;
    TABSIFT_ASSERT(sizes_.size() == count_);
  }
  // Sizes are kept one by one only once they differ: nothing to reserve.
  void reserve(std::size_t) {}
  void clear() {
    count_ = 0;
    sizes_.clear();
  }

 private:
  std::size_t count_ = 0;
  std::size_t same_ = 0;  // every size, while sizes_ is empty
  std::vector<std::size_t> sizes_;
};

}  // namespace tabsift
