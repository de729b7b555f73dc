#include "ops/group_args.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "ops/key_order.h"

namespace tabsift {
namespace {

TEST(GroupArgsTest, FileModeForExactlyFElseAColumnReadAsAtoi) {
  EXPECT_TRUE(parseGroupRequest("f")->byFiles);
  EXPECT_FALSE(parseGroupRequest("2x")->byFiles);
  EXPECT_EQ(parseGroupRequest("2x")->column, 1u);
  EXPECT_EQ(parseGroupRequest(" 3")->column, 2u);
  EXPECT_EQ(parseGroupRequest("-1")->column, SIZE_MAX - 1);
  for (const char* bad : {"F", " f", "ff", "0", "x", "", "x2"}) {
    EXPECT_FALSE(parseGroupRequest(bad)) << bad;
  }
}

TEST(KeyLessTest, NaNAfterEveryNumberAndEqualToItself) {
  KeyLess less;
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(less(inf, nan));
  EXPECT_FALSE(less(nan, inf));
  EXPECT_FALSE(less(nan, -nan));
  EXPECT_FALSE(less(-0.0, 0.0));
  EXPECT_TRUE(less(2.0f, std::nanf("")));
  EXPECT_TRUE(less(-5, 3));
}

}  // namespace
}  // namespace tabsift
