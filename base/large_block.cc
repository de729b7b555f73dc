#include "base/large_block.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace tabsift {

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
  if (bytes > SIZE_MAX - 2 * kHugePage) throw std::bad_alloc();
  const std::size_t size =
      (bytes == 0 ? kHugePage
                  : (bytes + kHugePage - 1) / kHugePage * kHugePage);
  // One huge page to spare, trimmed so that the block starts on a huge-page
  // boundary and every whole huge page of it can be one.
  const std::size_t span = size + kHugePage;
  void* raw = mmap(nullptr, span, PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) throw std::bad_alloc();
  char* start = static_cast<char*>(raw);
  const std::size_t address = reinterpret_cast<std::uintptr_t>(start);
  const std::size_t head = (kHugePage - address % kHugePage) % kHugePage;
  if (head > 0) munmap(start, head);
  const std::size_t tail = span - head - size;
  if (tail > 0) munmap(start + head + size, tail);
  askForHugePages(start + head, size);
  *mapped = size;
  return start + head;
}

void unmapLargeBlock(char* data, std::size_t mapped) {
  if (data != nullptr) munmap(data, mapped);
}

}  // namespace tabsift
