#include "ops/group_args.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "ops/key_order.h"

namespace tabsift {
namespace {

TEST(GroupArgsTest, FileModeOnlyForExactlyF) {
  EXPECT_TRUE(parseGroupRequest("f")->byFiles);
  EXPECT_FALSE(parseGroupRequest("F"));
  EXPECT_FALSE(parseGroupRequest(" f"));
  EXPECT_FALSE(parseGroupRequest("ff"));
}

TEST(GroupArgsTest, ColumnReadAsAtoi) {
  EXPECT_EQ(parseGroupRequest("2")->column, 1u);
  EXPECT_EQ(parseGroupRequest("2x")->column, 1u);
  EXPECT_EQ(parseGroupRequest(" 3")->column, 2u);
  EXPECT_FALSE(parseGroupRequest("2")->byFiles);
  EXPECT_EQ(parseGroupRequest("-1")->column, SIZE_MAX - 1);
}

TEST(GroupArgsTest, ZeroReadingsRejected) {
  EXPECT_FALSE(parseGroupRequest("0"));
  EXPECT_FALSE(parseGroupRequest("x"));
  EXPECT_FALSE(parseGroupRequest(""));
  EXPECT_FALSE(parseGroupRequest("x2"));
}

TEST(KeyLessTest, NaNAfterEveryNumberAndEqualToItself) {
  KeyLess less;
  const double nan = std::nan("");
  const double kInf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(less(1.0, nan));
  EXPECT_TRUE(less(kInf, nan));
  EXPECT_FALSE(less(nan, kInf));
  EXPECT_FALSE(less(nan, nan));
  EXPECT_FALSE(less(nan, -nan));
  EXPECT_FALSE(less(-0.0, 0.0));
  EXPECT_FALSE(less(0.0, -0.0));
  EXPECT_TRUE(less(-1.0f, 2.0f));
  EXPECT_TRUE(less(2.0f, std::nanf("")));
  EXPECT_TRUE(less(-5, 3));
  EXPECT_FALSE(less(3, 3));
}

}  // namespace
}  // namespace tabsift
