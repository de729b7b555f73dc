// Large blocks on a kernel that maps on any page: every block starts on a
// unit boundary all the same. (A block that growing moves is tested with
// the cell block that grows it.)
#include "base/large_block.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/memory_system_test_util.h"

namespace tabsift {
namespace {

TEST(LargeBlockTest, BlocksStartOnAUnitWhereverTheKernelMaps) {
  testing::ScopedMemorySystem offUnit(testing::offUnitSystem());
  const std::size_t unit = largeBlockUnit();
  for (std::size_t bytes :
       {std::size_t{1}, unit - 1, unit, unit + 1, 5 * unit / 2}) {
    std::size_t mapped = 0;
    char* block = mapLargeBlock(bytes, &mapped);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % unit, 0u) << bytes;
    EXPECT_EQ(mapped % unit, 0u) << bytes;
    EXPECT_GE(mapped, bytes);
    EXPECT_LT(mapped, bytes + unit);
    std::memset(block, 7, mapped);  // all of it is there
    unmapLargeBlock(block, mapped);
  }
}

}  // namespace
}  // namespace tabsift
