#include "ops/swap_args.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace tabsift {
namespace {

TEST(SwapArgsTest, ColumnsAndFile) {
  SwapRequest r = parseSwapRequest("1,2,3");
  EXPECT_EQ(r.columnA, 0u);
  EXPECT_EQ(r.columnB, 1u);
  EXPECT_EQ(r.file, 2u);
  EXPECT_TRUE(r.oneFile);
  SwapRequest reversed = parseSwapRequest("2,1,1");
  EXPECT_EQ(reversed.columnA, 1u);
  EXPECT_EQ(reversed.columnB, 0u);
  EXPECT_EQ(reversed.file, 0u);
}

TEST(SwapArgsTest, OneCommaMeansEveryFile) {
  SwapRequest r = parseSwapRequest("1,2");
  EXPECT_EQ(r.columnA, 0u);
  EXPECT_EQ(r.columnB, 1u);
  EXPECT_FALSE(r.oneFile);
}

TEST(SwapArgsTest, NoCommaReadsBAsA) {
  SwapRequest r = parseSwapRequest("1");
  EXPECT_EQ(r.columnA, r.columnB);
  EXPECT_FALSE(r.oneFile);
}

TEST(SwapArgsTest, FileAfterTheLastCommaMiddleIgnored) {
  SwapRequest r = parseSwapRequest("1,2,9,1");
  EXPECT_EQ(r.columnB, 1u);
  EXPECT_EQ(r.file, 0u);
  EXPECT_TRUE(r.oneFile);
}

TEST(SwapArgsTest, NonNumbersReadAsZeroBeyondEverything) {
  EXPECT_EQ(parseSwapRequest("x,2,1").columnA, SIZE_MAX);
  EXPECT_EQ(parseSwapRequest("1,x,1").columnB, SIZE_MAX);
  EXPECT_EQ(parseSwapRequest("1,2,").file, SIZE_MAX);
  EXPECT_EQ(parseSwapRequest("1,2,F").file, SIZE_MAX);
  EXPECT_EQ(parseSwapRequest(" 2x, 3y,+1z").columnB, 2u);
  EXPECT_EQ(parseSwapRequest("-1,2").columnA, SIZE_MAX - 1);
}

}  // namespace
}  // namespace tabsift
