// Raw storage for the cells of one file of the table: one contiguous block
// of bytes that grows without being copied where it can. Small blocks come
// from the heap; a large one is a mapping of its own (base/large_block.h),
// which starts on a huge-page boundary and asks the kernel for huge pages
// (one fault per huge page instead of one per page where the kernel offers
// them on request), grows by remapping (the pages move, the bytes are not
// copied) and goes back to the system whole when freed.
// A small block of a final size (a small input, read in full) shares a
// large-block unit with others: many small files cost few faults, and each
// shared unit goes back to the system once every block in it is freed.
#pragma once

#include <cstddef>

namespace tabsift {

class CellBlock {
 public:
  CellBlock() = default;
  ~CellBlock() { release(); }
  CellBlock(CellBlock&& other) noexcept;
  CellBlock& operator=(CellBlock&& other) noexcept;
  CellBlock(const CellBlock&) = delete;
  CellBlock& operator=(const CellBlock&) = delete;

  char* data() const { return data_; }
  std::size_t capacity() const { return capacity_; }

  // Room for at least `bytes`, keeping the first `keep` bytes (`keep` at
  // most the capacity); grows geometrically. Throws std::bad_alloc.
  void reserve(std::size_t bytes, std::size_t keep);

  // Gives back the room beyond `bytes` (at most the capacity; the first
  // `bytes` are kept) when that frees a worthwhile amount.
  void shrink(std::size_t bytes);

  // Hands the whole pages (of the system's page size) below byte `bytes`
  // back to the system: their contents are lost and must not be read
  // again; every byte from `bytes` on keeps its value. Only a mapped block
  // gives anything back.
  void discardBelow(std::size_t bytes);

  // Frees the block.
  void release();

  // Replaces the block by one of exactly `bytes` (contents unset), shared
  // with other small blocks of final size when small. Throws std::bad_alloc.
  void allocateExact(std::size_t bytes);

  // Whether the block is a mapping of its own.
  bool mapped() const { return kind_ == Kind::kMapped; }

 private:
  // Grows a mapped block to `wanted` bytes, or to just `bytes` where the
  // system will not give that much.
  void growMapped(std::size_t wanted, std::size_t bytes);
  enum class Kind { kHeap, kMapped, kShared };

  char* data_ = nullptr;
  std::size_t capacity_ = 0;
  Kind kind_ = Kind::kHeap;
};

}  // namespace tabsift
