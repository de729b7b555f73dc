#include <gtest/gtest.h>

#include "ops/store_test_util.h"

namespace tabsift::testing {
namespace {

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
  // Words that read as no number name no column or file.
  for (const char* bad : {"1,x,1", "x,2,1", "1,2,", "-1,2"}) {
    DataOperations<double> store;
    addFile(store, {{1, 2, 3}}, 0);
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

}  // namespace
}  // namespace tabsift::testing
