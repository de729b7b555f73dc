// Kernels of other kinds for the large blocks to run on in tests: one that
// places mappings on any page, as kernels do that do not align large
// mappings themselves (Debian 12's 6.1 among them), and one whose pages are
// 64 KiB, as on many arm64 and ppc64le servers.
#pragma once

#include <sys/mman.h>

#include <cstdint>
#include <cstring>

#include "base/large_block.h"

namespace tabsift::testing {

// Puts `system` in place for the life of the object.
class ScopedMemorySystem {
 public:
  explicit ScopedMemorySystem(const MemorySystem& system)
      : replaced_(replaceMemorySystem(system)) {}
  ~ScopedMemorySystem() { replaceMemorySystem(replaced_); }
  ScopedMemorySystem(const ScopedMemorySystem&) = delete;
  ScopedMemorySystem& operator=(const ScopedMemorySystem&) = delete;

 private:
  MemorySystem replaced_;
};

inline void* mapAnywhere(std::size_t bytes, bool reserve) {
  return mmap(nullptr, bytes, reserve ? PROT_NONE : PROT_READ | PROT_WRITE,
              MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
}

// A mapping of `bytes` that starts `offset` bytes past a multiple of
// `alignment`, the rest of a larger mapping given back.
inline void* mapAt(std::size_t bytes, bool reserve, std::size_t alignment,
                   std::size_t offset) {
  const std::size_t span = bytes + 2 * alignment;
  char* raw = static_cast<char*>(mapAnywhere(span, reserve));
  if (raw == MAP_FAILED) return MAP_FAILED;
  const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(raw);
  char* start = raw + (alignment - address % alignment) % alignment + offset;
  if (start > raw) munmap(raw, static_cast<std::size_t>(start - raw));
  char* end = start + bytes;
  if (end < raw + span) munmap(end, static_cast<std::size_t>(raw + span - end));
  return start;
}

// Every mapping one page past a unit boundary: on a page, never on a huge
// page.
inline void* mapOffUnit(std::size_t bytes, bool reserve) {
  return mapAt(bytes, reserve, largeBlockUnit(), memorySystem().page);
}

// Growth in place refused, and a block moved wherever the kernel likes put
// one page past a unit boundary; a move to a chosen place is done as asked.
inline void* remapOffUnit(void* old, std::size_t oldBytes, std::size_t newBytes,
                          int flags, void* to) {
  if ((flags & MREMAP_FIXED) != 0) {
    return mremap(old, oldBytes, newBytes, flags, to);
  }
  if (newBytes > oldBytes && (flags & MREMAP_MAYMOVE) == 0) return MAP_FAILED;
  if (newBytes <= oldBytes) return mremap(old, oldBytes, newBytes, 0);
  void* place = mapOffUnit(newBytes, true);
  if (place == MAP_FAILED) return MAP_FAILED;
  return mremap(old, oldBytes, newBytes, MREMAP_MAYMOVE | MREMAP_FIXED, place);
}

inline MemorySystem offUnitSystem() {
  MemorySystem system = memorySystem();
  system.map = mapOffUnit;
  system.remap = remapOffUnit;
  return system;
}

inline constexpr std::size_t kLargePage = std::size_t{64} << 10;

inline void* mapLargePages(std::size_t bytes, bool reserve) {
  return mapAt(bytes, reserve, kLargePage, 0);
}

// What a kernel of 64 KiB pages does with MADV_DONTNEED: a start off a page
// is refused, a length rounded up to whole pages, and those pages read as
// zeros afterwards.
inline void discardLargePages(void* start, std::size_t bytes) {
  if (reinterpret_cast<std::uintptr_t>(start) % kLargePage != 0) return;
  const std::size_t whole = (bytes + kLargePage - 1) / kLargePage * kLargePage;
  std::memset(start, 0, whole);
}

inline MemorySystem largePageSystem() {
  MemorySystem system = memorySystem();
  system.page = kLargePage;
  system.map = mapLargePages;
  system.discard = discardLargePages;
  return system;
}

}  // namespace tabsift::testing
