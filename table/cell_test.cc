// The cell layout: absent cells hold zero, and every number is present, NaNs
// of any payload (the absent pattern's own included) as NaNs of their sign.
#include "table/cell.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

namespace tabsift {
namespace {

TEST(CellTest, AbsentAndPresentCells) {
  EXPECT_FALSE(Cell<double>().present() || Cell<float>().present() ||
               Cell<int>().present());
  EXPECT_EQ(Cell<double>().value(), 0.0);
  EXPECT_EQ(Cell<float>().value(), 0.0f);
  EXPECT_EQ(Cell<int>().value(), 0);
  for (double v : {-0.0, 5e-324, -HUGE_VAL}) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(Cell<double>(v).value()),
              std::bit_cast<std::uint64_t>(v));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(Cell<float>(float(v)).value()),
              std::bit_cast<std::uint32_t>(float(v)));
  }
  EXPECT_TRUE(Cell<int>(0).present());
  EXPECT_EQ(Cell<int>(-2147483647 - 1).value(), -2147483647 - 1);
}

TEST(CellTest, NaNsArePresentAndKeepTheirSign) {
  for (std::uint64_t bits :
       {0x7ff8'0000'0000'0a5eULL, 0xfff8'0000'0000'0a5eULL,
        0x7ff0'0000'0000'0001ULL, 0xffff'ffff'ffff'ffffULL}) {
    const Cell<double> cell(std::bit_cast<double>(bits));
    ASSERT_TRUE(cell.present()) << std::hex << bits;
    EXPECT_TRUE(std::isnan(cell.value()));
    EXPECT_EQ(std::signbit(cell.value()), (bits >> 63) != 0);
  }
  for (std::uint32_t bits : {0x7fc0'0a5eU, 0xffc0'0a5eU, 0x7f80'0001U}) {
    const Cell<float> cell(std::bit_cast<float>(bits));
    ASSERT_TRUE(cell.present()) << std::hex << bits;
    EXPECT_TRUE(std::isnan(cell.value()));
    EXPECT_EQ(std::signbit(cell.value()), (bits >> 31) != 0);
  }
}

}  // namespace
}  // namespace tabsift
