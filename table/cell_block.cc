#include "table/cell_block.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "base/large_block.h"

namespace tabsift {
namespace {

constexpr std::size_t kPage = 4096;

std::size_t roundUp(std::size_t n, std::size_t unit) {
  if (n > SIZE_MAX - unit) throw std::bad_alloc();
  return (n + unit - 1) / unit * unit;
}

}  // namespace

CellBlock::CellBlock(CellBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      capacity_(std::exchange(other.capacity_, 0)),
      mapped_(std::exchange(other.mapped_, false)) {}

CellBlock& CellBlock::operator=(CellBlock&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    mapped_ = std::exchange(other.mapped_, false);
  }
  return *this;
}

void CellBlock::reserve(std::size_t bytes, std::size_t keep) {
  if (bytes <= capacity_) return;
  std::size_t wanted = std::max(bytes, capacity_ * 2);
  if (mapped_) {
    wanted = roundUp(wanted, kHugePage);
    // Extended where it stands if the addresses after it are free, moved
    // (page tables only) otherwise.
    void* grown = mremap(data_, capacity_, wanted, 0);
    if (grown == MAP_FAILED) {
      grown = mremap(data_, capacity_, wanted, MREMAP_MAYMOVE);
    }
    if (grown == MAP_FAILED) throw std::bad_alloc();
    data_ = static_cast<char*>(grown);
    askForHugePages(data_, wanted);
    capacity_ = wanted;
    return;
  }
  if (wanted >= kLargeBlock) {
    std::size_t mapped = 0;
    char* block = mapLargeBlock(wanted, &mapped);
    if (keep > 0) std::memcpy(block, data_, std::min(keep, capacity_));
    std::free(data_);
    data_ = block;
    capacity_ = mapped;
    mapped_ = true;
    return;
  }
  void* grown = std::realloc(data_, wanted);
  if (grown == nullptr) throw std::bad_alloc();
  data_ = static_cast<char*>(grown);
  capacity_ = wanted;
}

void CellBlock::shrink(std::size_t bytes) {
  if (bytes == 0) {
    release();
    return;
  }
  if (mapped_) {
    const std::size_t size = roundUp(bytes, kHugePage);
    if (size >= capacity_) return;
    void* shrunk = mremap(data_, capacity_, size, 0);
    if (shrunk == MAP_FAILED) return;
    capacity_ = size;
    return;
  }
  if (bytes > capacity_ / 2) return;
  void* shrunk = std::realloc(data_, bytes);
  if (shrunk == nullptr) return;
  data_ = static_cast<char*>(shrunk);
  capacity_ = bytes;
}

void CellBlock::discardBelow(std::size_t bytes) {
  if (!mapped_) return;
  const std::size_t whole = std::min(bytes, capacity_) / kPage * kPage;
  if (whole > 0) madvise(data_, whole, MADV_DONTNEED);
}

void CellBlock::release() {
  if (mapped_) {
    unmapLargeBlock(data_, capacity_);
  } else {
    std::free(data_);
  }
  data_ = nullptr;
  capacity_ = 0;
  mapped_ = false;
}

}  // namespace tabsift
