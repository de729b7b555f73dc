// Large blocks of memory mapped on their own: given back to the system whole
// when unmapped, and asking the kernel for huge pages (one page fault per
// 2 MiB instead of one per 4 KiB where the kernel offers them on request).
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

namespace tabsift {

// From this size on, a block is worth a mapping of its own.
inline constexpr std::size_t kLargeBlock = std::size_t{1} << 20;

// The size of a huge page, the unit in which large blocks are mapped.
inline constexpr std::size_t kHugePage = std::size_t{2} << 20;

// A mapping of at least `bytes`, starting on a huge-page boundary; its size
// (a multiple of kHugePage) in `*mapped`. Throws std::bad_alloc.
char* mapLargeBlock(std::size_t bytes, std::size_t* mapped);

// Asks for huge pages over [data, data + size); only a wish.
void askForHugePages(char* data, std::size_t size);

void unmapLargeBlock(char* data, std::size_t mapped);

// An allocator for containers that may grow large (the values a median
// holds): large arrays are mapped blocks, small ones come from the heap.
template <typename T>
struct LargeBlockAllocator {
  using value_type = T;
  LargeBlockAllocator() = default;
  template <typename U>
  LargeBlockAllocator(const LargeBlockAllocator<U>&) {}

  T* allocate(std::size_t n) {
    if (n > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    if (n * sizeof(T) < kLargeBlock) {
      return static_cast<T*>(::operator new(n * sizeof(T)));
    }
    std::size_t mapped = 0;
    return reinterpret_cast<T*>(mapLargeBlock(n * sizeof(T), &mapped));
  }
  void deallocate(T* p, std::size_t n) {
    if (n * sizeof(T) < kLargeBlock) {
      ::operator delete(p);
    } else {
      std::size_t mapped =
          (n * sizeof(T) + kHugePage - 1) / kHugePage * kHugePage;
      unmapLargeBlock(reinterpret_cast<char*>(p), mapped);
    }
  }
  template <typename U>
  bool operator==(const LargeBlockAllocator<U>&) const {
    return true;
  }
};

}  // namespace tabsift
