// Large blocks of memory mapped on their own: given back to the system whole
// when unmapped, and asking the kernel for huge pages (one page fault per
// 2 MiB instead of one per 4 KiB where the kernel offers them on request).
#pragma once

#include <cstddef>

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

}  // namespace tabsift
