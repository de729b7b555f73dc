// The cell layout: absent cells hold zero, and every number is present, NaNs
// of any payload (the absent pattern's own included) as NaNs of their sign.
#include "table/cell.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>

namespace tabsift {
namespace {

template <typename T, typename Bits>
void expectPresentNaNsOfTheirSign(std::initializer_list<Bits> patterns) {
  for (Bits bits : patterns) {
    const Cell<T> cell(std::bit_cast<T>(bits));
    EXPECT_TRUE(cell.present() && std::isnan(cell.value())) << std::hex << bits;
    EXPECT_EQ(std::signbit(cell.value()), bits >> (8 * sizeof bits - 1))
        << std::hex << bits;
  }
}

TEST(CellTest, AbsentAndPresentCells) {
  EXPECT_FALSE(Cell<double>().present() || Cell<float>().present() ||
               Cell<int>().present());
  EXPECT_EQ(Cell<double>().value(), 0.0);
  EXPECT_EQ(Cell<float>().value(), 0.0f);
  EXPECT_EQ(Cell<int>().value(), 0);
  EXPECT_TRUE(Cell<int>(0).present());
  expectPresentNaNsOfTheirSign<double, std::uint64_t>(
      {0x7ff8'0000'0000'0a5eULL, 0xfff8'0000'0000'0a5eULL,
       0x7ff0'0000'0000'0001ULL, 0xffff'ffff'ffff'ffffULL});
  expectPresentNaNsOfTheirSign<float, std::uint32_t>(
      {0x7fc0'0a5eU, 0xffc0'0a5eU, 0x7f80'0001U});
}

}  // namespace
}  // namespace tabsift
