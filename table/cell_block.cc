#include "table/cell_block.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "base/check.h"
#include "base/large_block.h"

namespace tabsift {
namespace {

std::size_t roundUp(std::size_t n, std::size_t unit) {
  if (n > SIZE_MAX - unit) throw std::bad_alloc();
  return (n + unit - 1) / unit * unit;
}

// Small blocks of final size are cut one after another from shared chunks
// of one large-block unit each (mapped on a unit boundary, so a block's
// chunk is found by rounding its address down). A chunk counts its blocks in
// its first bytes and is unmapped when the last of them is freed, unless blocks
// are still being cut from it.
constexpr std::size_t kChunkHeader = 16;
constexpr std::size_t kLargestShared = kLargeBlock;
char* currentChunk = nullptr;
std::size_t currentUsed = 0;

std::size_t& blocksIn(char* chunk) {
  return *reinterpret_cast<std::size_t*>(chunk);
}

char* chunkOf(char* block) {
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(block);
  return reinterpret_cast<char*>(address - address % largeBlockUnit());
}

char* cutShared(std::size_t bytes) {
  TABSIFT_ASSERT(bytes < kLargestShared);
  const std::size_t unit = largeBlockUnit();
  bytes = roundUp(bytes, 16);
  if (currentChunk == nullptr || currentUsed + bytes > unit) {
    if (currentChunk != nullptr && blocksIn(currentChunk) == 0) {
      unmapLargeBlock(currentChunk, unit);
    }
    currentChunk = nullptr;
    std::size_t mapped = 0;
    char* chunk = mapLargeBlock(unit, &mapped);
    TABSIFT_ASSERT(chunkOf(chunk) == chunk && mapped == unit);
    new (chunk) std::size_t(0);
    currentChunk = chunk;
    currentUsed = kChunkHeader;
  }
  char* block = currentChunk + currentUsed;
  currentUsed += bytes;
  ++blocksIn(currentChunk);
  return block;
}

void freeShared(char* block) {
  char* chunk = chunkOf(block);
  TABSIFT_ASSERT(block >= chunk + kChunkHeader && blocksIn(chunk) > 0);
  if (--blocksIn(chunk) == 0 && chunk != currentChunk) {
    unmapLargeBlock(chunk, largeBlockUnit());
  }
}

}  // namespace

CellBlock::CellBlock(CellBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      capacity_(std::exchange(other.capacity_, 0)),
      kind_(std::exchange(other.kind_, Kind::kHeap)) {}

CellBlock& CellBlock::operator=(CellBlock&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    capacity_ = std::exchange(other.capacity_, 0);
    kind_ = std::exchange(other.kind_, Kind::kHeap);
  }
  return *this;
}

void CellBlock::allocateExact(std::size_t bytes) {
  release();
  if (bytes == 0) return;
  if (bytes < kLargestShared) {
    data_ = cutShared(bytes);
    kind_ = Kind::kShared;
    capacity_ = bytes;
    return;
  }
  std::size_t mapped = 0;
  data_ = mapLargeBlock(bytes, &mapped);
  kind_ = Kind::kMapped;
  capacity_ = mapped;
}

void CellBlock::reserve(std::size_t bytes, std::size_t keep) {
  TABSIFT_ASSERT(keep <= capacity_);
  if (bytes <= capacity_) return;
  if (kind_ == Kind::kShared) {
    // A shared block does not grow: its bytes move to a block of their own.
    CellBlock grown;
    grown.reserve(bytes, 0);
    std::memcpy(grown.data_, data_, std::min(keep, capacity_));
    *this = std::move(grown);
    return;
  }
  std::size_t wanted = std::max(bytes, capacity_ * 2);
  if (kind_ == Kind::kMapped) {
    growMapped(wanted, bytes);
    return;
  }
  if (wanted >= kLargeBlock) {
    std::size_t mapped = 0;
    char* block = mapLargeBlock(wanted, &mapped);
    if (keep > 0) std::memcpy(block, data_, std::min(keep, capacity_));
    std::free(data_);
    data_ = block;
    capacity_ = mapped;
    kind_ = Kind::kMapped;
    return;
  }
  void* grown = std::realloc(data_, wanted);
  if (grown == nullptr) throw std::bad_alloc();
  data_ = static_cast<char*>(grown);
  capacity_ = wanted;
}

void CellBlock::growMapped(std::size_t wanted, std::size_t bytes) {
  // Where the system will not commit twice the room (strict overcommit, a
  // memory limit), just the room asked for.
  for (const std::size_t size :
       {largeBlockSize(wanted), largeBlockSize(bytes)}) {
    if (char* grown = growLargeBlock(data_, capacity_, size)) {
      data_ = grown;
      capacity_ = size;
      return;
    }
  }
  throw std::bad_alloc();
}

void CellBlock::shrink(std::size_t bytes) {
  TABSIFT_ASSERT(bytes <= capacity_);
  if (bytes == 0) {
    release();
    return;
  }
  if (kind_ == Kind::kShared) return;
  if (kind_ == Kind::kMapped) {
    const std::size_t size = largeBlockSize(bytes);
    if (size < capacity_ && shrinkLargeBlock(data_, capacity_, size)) {
      capacity_ = size;
    }
    return;
  }
  if (bytes > capacity_ / 2) return;
  void* shrunk = std::realloc(data_, bytes);
  if (shrunk == nullptr) return;
  data_ = static_cast<char*>(shrunk);
  capacity_ = bytes;
}

void CellBlock::discardBelow(std::size_t bytes) {
  if (kind_ != Kind::kMapped) return;
  discardPagesBelow(data_, std::min(bytes, capacity_));
}

void CellBlock::release() {
  if (kind_ == Kind::kMapped) {
    unmapLargeBlock(data_, capacity_);
  } else if (kind_ == Kind::kShared) {
    freeShared(data_);
  } else {
    std::free(data_);
  }
  data_ = nullptr;
  capacity_ = 0;
  kind_ = Kind::kHeap;
}

}  // namespace tabsift
