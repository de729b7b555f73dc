// Large blocks of memory mapped on their own: given back to the system whole
// when unmapped, and asking the kernel for huge pages (one page fault per
// huge page instead of one per page where the kernel offers them on
// request).
//
// Large blocks are mapped, aligned and sized in units of largeBlockUnit():
// 2 MiB, the huge page of x86_64 and of arm64 and ppc64le with their usual
// pages, and a multiple of every smaller huge page, so that every whole
// huge page of a block can be one. Where the huge page is larger (32 MiB on
// arm64 with 16 KiB pages, 512 MiB with 64 KiB pages) blocks stay in 2 MiB
// units: rounding every block up to such a page would commit, and where
// huge pages are always on fill, far more memory than the cells need, and
// the larger pages already cost few faults. Where the page itself is larger
// than 2 MiB, the unit is the page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "base/check.h"

namespace tabsift {

// From this size on, a block is worth a mapping of its own.
inline constexpr std::size_t kLargeBlock = std::size_t{1} << 20;

// What the large blocks ask of the kernel, in one place, so that a test can
// stand in for a kernel of another kind: one with another page size, or one
// that places mappings without regard to huge pages. Unmapping and the wish
// for huge pages go to the system directly.
struct MemorySystem {
  // The page size: memory is given back in whole pages.
  std::size_t page;
  // A fresh mapping of `bytes` (a multiple of the page) at a page boundary,
  // readable and writable, or only reserved when `reserve` is set (no
  // access, no memory committed); MAP_FAILED when there is none.
  void* (*map)(std::size_t bytes, bool reserve);
  // mremap(2): `old` (`oldBytes` long) resized to `newBytes`; with
  // MREMAP_MAYMOVE | MREMAP_FIXED in `flags` moved to `to`.
  void* (*remap)(void* old, std::size_t oldBytes, std::size_t newBytes,
                 int flags, void* to);
  // Gives back the pages from `start` (a page boundary) on, `bytes` rounded
  // up to whole pages as the kernel rounds them: they read as zeros again.
  void (*discard)(void* start, std::size_t bytes);
};

// The system's page size and calls, or those a test put in their place.
const MemorySystem& memorySystem();

// Makes `system` the one used from now on and returns the one it replaces.
// For tests: a block is freed under the system that mapped it.
MemorySystem replaceMemorySystem(const MemorySystem& system);

// The unit in which large blocks are mapped, aligned and sized (see above):
// 2 MiB, or the page where that is larger.
std::size_t largeBlockUnit();

// `bytes` rounded up to whole units (at least one). Throws std::bad_alloc
// when that does not fit in a size.
std::size_t largeBlockSize(std::size_t bytes);

// A mapping of at least `bytes`, starting on a unit boundary; its size
// (largeBlockSize(bytes)) in `*mapped`. Throws std::bad_alloc.
char* mapLargeBlock(std::size_t bytes, std::size_t* mapped);

// Grows the block [data, data + mapped) to `bytes` (whole units) keeping its
// bytes: where it stands when the addresses after it are free, else moved
// (the page tables, not the bytes) to a unit boundary elsewhere. Returns
// where the block now starts, or nullptr, the block unchanged, when the
// system will not give that much.
char* growLargeBlock(char* data, std::size_t mapped, std::size_t bytes);

// Shrinks the block [data, data + mapped) to `bytes` (whole units, at most
// `mapped`) where it stands; false, the block unchanged, when it cannot.
bool shrinkLargeBlock(char* data, std::size_t mapped, std::size_t bytes);

// The bytes from the start of a block that can be given back without
// touching byte `bytes` or anything after it: the whole pages below it,
// for pages of `page` bytes.
inline std::size_t wholePagesBelow(std::size_t bytes, std::size_t page) {
  TABSIFT_ASSERT(page > 0 && (page & (page - 1)) == 0);
  return bytes / page * page;
}

// Gives back the whole pages of the block at `data` (a page boundary) that
// lie below byte `bytes`: they read as zeros again; every byte from `bytes`
// on keeps its value.
void discardPagesBelow(char* data, std::size_t bytes);

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
      unmapLargeBlock(reinterpret_cast<char*>(p),
                      largeBlockSize(n * sizeof(T)));
    }
  }
  template <typename U>
  bool operator==(const LargeBlockAllocator<U>&) const {
    return true;
  }
};

}  // namespace tabsift
