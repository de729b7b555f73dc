#include <gtest/gtest.h>

#include "ops/store_test_util.h"

namespace tabsift::testing {
namespace {

DataOperations<double> fourFiles() {
  DataOperations<double> store;
  addFile(store, {{1, 2, 3}}, 0);
  addFile(store, {{4, 5, 6}}, 1);
  addFile(store, {{7, 8, 9}, {10, 11, 12}}, 2);
  addFile(store, {{13, 14, 15}}, 3);
  return store;
}

TEST(SwapTest, OneFileOrEvery) {
  auto store = fourFiles();
  store.swap("1,2,3");
  EXPECT_EQ(show(store), "1 2 3 | 4 5 6 | 8 7 9; 11 10 12 | 13 14 15");
  auto all = fourFiles();
  all.swap("1,2");
  EXPECT_EQ(show(all), "2 1 3 | 5 4 6 | 8 7 9; 11 10 12 | 14 13 15");
  auto joined = fourFiles();
  joined.join();
  joined.swap("1,3,3");
  EXPECT_EQ(show(joined), "3 2 1 | 6 5 4 | 9 8 7; 12 11 10 | 15 14 13");
}

TEST(SwapTest, OrderOfColumnsAndIgnoredMiddle) {
  auto a = fourFiles();
  a.swap("2,1,1");
  auto b = fourFiles();
  b.swap("1,2,1");
  EXPECT_EQ(show(a), show(b));
  auto c = fourFiles();
  c.swap("1,2,9,1");
  EXPECT_EQ(show(c), show(b));
}

TEST(SwapTest, AbsentCellsMoveWithTheSwap) {
  DataOperations<int> store;
  addFile(store, {{5, kAbsent, 7}}, 0);
  store.swap("1,2");
  EXPECT_EQ(show(store), "-- 5 7");
}

TEST(SwapTest, ShortLaterLinesAreLeftUnchanged) {
  DataOperations<double> store;
  addFile(store, {{1, 2, 3}, {4}, {5, 6}, {}, {7, 8, 9}}, 0);
  store.swap("1,3,1");
  EXPECT_EQ(show(store), "3 2 1; 4; 5 6; ; 9 8 7");
}

TEST(SwapTest, FilesWithoutLinesArePassedOver) {
  DataOperations<double> store;
  addFile(store, {}, 0);
  addFile(store, {{1, 2}}, 1);
  store.swap("1,2,1");
  EXPECT_EQ(show(store), " | 1 2");
  store.swap("1,2");
  EXPECT_EQ(show(store), " | 2 1");
}

TEST(SwapDeathTest, BadArgumentsEndTheRunBeforeAnySwap) {
  for (const char* bad : {"1,1,1", "1", "1,x,1", "x,2,1", "1,4,1", "1,2,0",
                          "1,2,5", "1,2,", "-1,2"}) {
    auto store = fourFiles();
    EXPECT_EXIT(store.swap(bad), ::testing::ExitedWithCode(1),
                "^Wrong swap argument!\n$")
        << bad;
  }
  // With every file chosen, a column missing from any first line rejects.
  DataOperations<double> store;
  addFile(store, {{1, 2, 3}}, 0);
  addFile(store, {{1, 2}}, 1);
  EXPECT_EXIT(store.swap("1,3"), ::testing::ExitedWithCode(1),
              "Wrong swap argument!");
  // A column is never swapped with itself, even in an empty table.
  DataOperations<double> empty;
  EXPECT_EXIT(empty.swap("2,2"), ::testing::ExitedWithCode(1),
              "Wrong swap argument!");
}

TEST(SwapTest, AfterAFoldOnlyFileOneExists) {
  auto store = fourFiles();
  store.setFilter("1,gt0");
  store.swap("1,2,1");
  EXPECT_EQ(show(store), "2 1 3; 5 4 6; 8 7 9; 11 10 12; 14 13 15");
  store.swap("1,2");
  EXPECT_EQ(show(store), "1 2 3; 4 5 6; 7 8 9; 10 11 12; 13 14 15");
  EXPECT_EXIT(store.swap("1,2,2"), ::testing::ExitedWithCode(1),
              "Wrong swap argument!");
}

}  // namespace
}  // namespace tabsift::testing
