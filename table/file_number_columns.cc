#include "table/file_number_columns.h"

#include <algorithm>
#include <utility>

#include "base/check.h"

namespace tabsift {

void FileNumberColumns::setFirst() {
  forget();
  fixed_.push_back(0);
}

void FileNumberColumns::forget() {
  fixed_.clear();
  repeated_.clear();
  start_ = period_ = 0;
}

bool FileNumberColumns::holds(std::size_t column) const {
  if (std::binary_search(fixed_.begin(), fixed_.end(), column)) return true;
  return period_ != 0 && column >= start_ &&
         std::binary_search(repeated_.begin(), repeated_.end(),
                            (column - start_) % period_);
}

void FileNumberColumns::rebuild(
    const std::vector<std::optional<std::size_t>>& sources) {
  std::vector<std::size_t> fixed;
  for (std::size_t k = 0; k < sources.size(); ++k) {
    if (sources[k] && holds(*sources[k])) fixed.push_back(k);
  }
  forget();
  fixed_ = std::move(fixed);
}

void FileNumberColumns::swap(std::size_t a, std::size_t b) {
  if (holds(a) == holds(b)) return;
  if (period_ != 0) {
    forget();  // a block column in and out of the blocks: not one pattern
    return;
  }
  const std::size_t from = holds(a) ? a : b;
  const std::size_t to = holds(a) ? b : a;
  fixed_.erase(std::find(fixed_.begin(), fixed_.end(), from));
  fixed_.insert(std::lower_bound(fixed_.begin(), fixed_.end(), to), to);
}

void FileNumberColumns::groupBy(std::size_t key, std::size_t width) {
  if (!any()) return;
  const bool keyHolds = holds(key);
  std::vector<std::size_t> offsets;
  for (std::size_t c : fixed_) {
    if (c != key && (width == 0 || c < width)) {
      offsets.push_back(c > key ? c - 1 : c);
    }
  }
  // Blocks of lines of different widths, or file numbers already repeated,
  // make no single pattern.
  if (period_ != 0 || (!offsets.empty() && width < 2)) {
    forget();
    return;
  }
  TABSIFT_ASSERT(key < width || width == 0);
  forget();
  if (keyHolds) fixed_.push_back(0);
  if (!offsets.empty()) {
    start_ = 1;
    period_ = width - 1;
    repeated_ = std::move(offsets);
  }
}

void FileNumberColumns::sideBySide(const std::vector<std::size_t>& widths) {
  if (!any()) return;
  if (period_ != 0) {
    forget();
    return;
  }
  std::vector<std::size_t> fixed;
  std::size_t offset = 0;
  for (std::size_t width : widths) {
    for (std::size_t c : fixed_) {
      if (c < width) fixed.push_back(offset + c);
    }
    offset += width;
  }
  fixed_ = std::move(fixed);
}

std::vector<char> FileNumberColumns::mask(std::size_t width) const {
  std::vector<char> held(width);
  for (std::size_t c = 0; c < width; ++c) held[c] = holds(c);
  return held;
}

}  // namespace tabsift
