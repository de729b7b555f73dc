// The cell block on kernels of other kinds: one that maps on any page (the
// shared chunks are found by rounding addresses down, a grown block may be
// moved) and one whose pages are 64 KiB (memory is given back in whole
// pages of that size). No byte a block still holds may change.
#include "table/cell_block.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/large_block.h"
#include "base/memory_system_test_util.h"

namespace tabsift {
namespace {

char mark(std::size_t block, std::size_t i) {
  return static_cast<char>(1 + (block * 31 + i) % 253);
}

void fill(const CellBlock& block, std::size_t bytes, std::size_t which) {
  for (std::size_t i = 0; i < bytes; ++i) block.data()[i] = mark(which, i);
}

// The first byte from `from` on that lost its mark; `bytes` when none did.
std::size_t firstChanged(const CellBlock& block, std::size_t from,
                         std::size_t bytes, std::size_t which) {
  for (std::size_t i = from; i < bytes; ++i) {
    if (block.data()[i] != mark(which, i)) return i;
  }
  return bytes;
}

// Enough small blocks of final size to fill several shared chunks, a third
// of them freed as others are cut.
TEST(CellBlockTest, SharedBlocksKeepTheirBytesWhereverTheKernelMaps) {
  testing::ScopedMemorySystem offUnit(testing::offUnitSystem());
  std::vector<CellBlock> blocks(600);
  std::vector<std::size_t> sizes(blocks.size());
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    sizes[b] = 1 + b * 7919 % 20000;
    blocks[b].allocateExact(sizes[b]);
    fill(blocks[b], sizes[b], b);
    if (b % 3 == 2) blocks[b / 2].release();
  }
  for (std::size_t b = 0; b < blocks.size(); ++b) {
    if (blocks[b].data() == nullptr) continue;
    EXPECT_EQ(firstChanged(blocks[b], 0, sizes[b], b), sizes[b]) << b;
  }
}

TEST(CellBlockTest, AMappedBlockGrowsWhereverTheKernelMovesIt) {
  testing::ScopedMemorySystem offUnit(testing::offUnitSystem());
  CellBlock block;
  const std::size_t bytes = 3 * kLargeBlock;
  block.reserve(bytes, 0);
  ASSERT_TRUE(block.mapped());
  fill(block, bytes, 1);
  block.reserve(8 * bytes, bytes);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block.data()) % largeBlockUnit(),
            0u);
  EXPECT_EQ(firstChanged(block, 0, bytes, 1), bytes);
  fill(block, block.capacity(), 2);  // all of it is there
}

// Giving back below a byte off a 64 KiB page must leave the page it lies
// in, and every byte after it, as they were.
TEST(CellBlockTest, GivingBackOn64KiBPagesKeepsEveryLiveByte) {
  testing::ScopedMemorySystem pages(testing::largePageSystem());
  constexpr std::size_t kPage = testing::kLargePage;
  CellBlock block;
  block.reserve(4 * kLargeBlock, 0);
  ASSERT_TRUE(block.mapped());
  const std::size_t capacity = block.capacity();
  for (std::size_t below : {std::size_t{0}, std::size_t{1}, std::size_t{4096},
                            kPage - 1, kPage, kPage + 1, kPage + 4096 + 8,
                            3 * kPage + 70000, capacity - 1, capacity}) {
    fill(block, capacity, below);
    block.discardBelow(below);
    EXPECT_EQ(firstChanged(block, below, capacity, below), capacity) << below;
    const std::size_t given = below / kPage * kPage;
    std::size_t zeros = 0;
    while (zeros < given && block.data()[zeros] == 0) ++zeros;
    EXPECT_EQ(zeros, given) << below;
  }
}

}  // namespace
}  // namespace tabsift
