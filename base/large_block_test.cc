// Large blocks on a kernel that maps on any page: every block starts on a
// unit boundary all the same, freshly mapped or moved by growing, and keeps
// its bytes.
#include "base/large_block.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/memory_system_test_util.h"

namespace tabsift {
namespace {

std::uintptr_t offset(const char* block) {
  return reinterpret_cast<std::uintptr_t>(block) % largeBlockUnit();
}

TEST(LargeBlockTest, BlocksStartOnAUnitWhereverTheKernelMaps) {
  testing::ScopedMemorySystem offUnit(testing::offUnitSystem());
  const std::size_t unit = largeBlockUnit();
  for (std::size_t bytes :
       {std::size_t{1}, unit - 1, unit, unit + 1, 5 * unit / 2}) {
    std::size_t mapped = 0;
    char* block = mapLargeBlock(bytes, &mapped);
    EXPECT_EQ(offset(block), 0u) << bytes;
    EXPECT_EQ(mapped % unit, 0u) << bytes;
    EXPECT_GE(mapped, bytes);
    EXPECT_LT(mapped, bytes + unit);
    std::memset(block, 7, mapped);  // all of it is there
    unmapLargeBlock(block, mapped);
  }
}

TEST(LargeBlockTest, AGrownBlockMovesOntoAUnitWithItsBytes) {
  testing::ScopedMemorySystem offUnit(testing::offUnitSystem());
  const std::size_t unit = largeBlockUnit();
  std::size_t mapped = 0;
  char* block = mapLargeBlock(unit, &mapped);
  for (std::size_t i = 0; i < mapped; ++i)
    block[i] = static_cast<char>(i % 251);
  char* grown = growLargeBlock(block, mapped, 3 * unit);
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(offset(grown), 0u);
  std::size_t kept = 0;
  while (kept < mapped && grown[kept] == static_cast<char>(kept % 251)) ++kept;
  EXPECT_EQ(kept, mapped);
  std::memset(grown + mapped, 1, 3 * unit - mapped);
  unmapLargeBlock(grown, 3 * unit);
}

}  // namespace
}  // namespace tabsift
