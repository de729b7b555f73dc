#include "base/large_block.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <new>

namespace tabsift {
namespace {

constexpr std::size_t kUnit = std::size_t{2} << 20;

void* systemMap(std::size_t bytes, bool reserve) {
  return mmap(nullptr, bytes, reserve ? PROT_NONE : PROT_READ | PROT_WRITE,
              MAP_PRIVATE | MAP_ANONYMOUS | (reserve ? MAP_NORESERVE : 0), -1,
              0);
}

void* systemRemap(void* old, std::size_t oldBytes, std::size_t newBytes,
                  int flags, void* to) {
  return mremap(old, oldBytes, newBytes, flags, to);
}

void systemDiscard(void* start, std::size_t bytes) {
  madvise(start, bytes, MADV_DONTNEED);
}

std::size_t systemPage() {
  const long page = sysconf(_SC_PAGESIZE);
  return page > 0 ? static_cast<std::size_t>(page) : 4096;
}

MemorySystem& current() {
  static MemorySystem system{systemPage(), systemMap, systemRemap,
                             systemDiscard};
  return system;
}

// A mapping of `size` (whole units) at a unit boundary: one unit more is
// mapped and the part before the boundary and after the block trimmed
// away, since the kernel may place a mapping on any page. nullptr when the
// system has no room.
char* mapOnUnit(std::size_t size, bool reserve) {
  const std::size_t unit = largeBlockUnit();
  const std::size_t span = size + unit;
  void* raw = memorySystem().map(span, reserve);
  if (raw == MAP_FAILED) return nullptr;
  char* start = static_cast<char*>(raw);
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(start);
  const std::size_t head = (unit - address % unit) % unit;
  if (head > 0) munmap(start, head);
  const std::size_t tail = span - head - size;
  if (tail > 0) munmap(start + head + size, tail);
  TABSIFT_ASSERT((address + head) % unit == 0);
  return start + head;
}

}  // namespace

const MemorySystem& memorySystem() {
  return current();
}

MemorySystem replaceMemorySystem(const MemorySystem& system) {
  const MemorySystem replaced = current();
  current() = system;
  return replaced;
}

std::size_t largeBlockUnit() {
  return std::max(kUnit, memorySystem().page);
}

std::size_t largeBlockSize(std::size_t bytes) {
  const std::size_t unit = largeBlockUnit();
  // One unit to spare, for the trim of a fresh mapping.
  if (bytes > SIZE_MAX - 2 * unit) throw std::bad_alloc();
  return bytes == 0 ? unit : (bytes + unit - 1) / unit * unit;
}

void askForHugePages(char* data, std::size_t size) {
#if defined(MADV_HUGEPAGE)
  // Where the kernel offers no huge pages the call fails, and the block is
  // served in small pages.
  madvise(data, size, MADV_HUGEPAGE);
#else
  (void)data;
  (void)size;
#endif
}

char* mapLargeBlock(std::size_t bytes, std::size_t* mapped) {
  const std::size_t size = largeBlockSize(bytes);
  char* block = mapOnUnit(size, false);
  if (block == nullptr) throw std::bad_alloc();
  askForHugePages(block, size);
  *mapped = size;
  return block;
}

char* growLargeBlock(char* data, std::size_t mapped, std::size_t bytes) {
  TABSIFT_ASSERT(bytes > mapped && bytes % largeBlockUnit() == 0);
  const MemorySystem& system = memorySystem();
  void* grown = system.remap(data, mapped, bytes, 0, nullptr);
  if (grown == MAP_FAILED) {
    // Moved onto room reserved at a unit boundary, which commits nothing;
    // where not even that is to be had, wherever the kernel puts it.
    if (char* to = mapOnUnit(bytes, true)) {
      grown =
          system.remap(data, mapped, bytes, MREMAP_MAYMOVE | MREMAP_FIXED, to);
      if (grown == MAP_FAILED) munmap(to, bytes);
    } else {
      grown = system.remap(data, mapped, bytes, MREMAP_MAYMOVE, nullptr);
    }
  }
  if (grown == MAP_FAILED) return nullptr;
  askForHugePages(static_cast<char*>(grown), bytes);
  return static_cast<char*>(grown);
}

bool shrinkLargeBlock(char* data, std::size_t mapped, std::size_t bytes) {
  TABSIFT_ASSERT(bytes <= mapped && bytes % largeBlockUnit() == 0);
  return memorySystem().remap(data, mapped, bytes, 0, nullptr) != MAP_FAILED;
}

void discardPagesBelow(char* data, std::size_t bytes) {
  const MemorySystem& system = memorySystem();
  TABSIFT_ASSERT(reinterpret_cast<std::uintptr_t>(data) % system.page == 0);
  const std::size_t whole = wholePagesBelow(bytes, system.page);
  if (whole > 0) system.discard(data, whole);
}

void unmapLargeBlock(char* data, std::size_t mapped) {
  if (data != nullptr) munmap(data, mapped);
}

}  // namespace tabsift
