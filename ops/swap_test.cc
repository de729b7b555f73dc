#include <gtest/gtest.h>

#include "ops/store_test_util.h"
#include "table/diagnostics.h"

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
    EXPECT_THROW(store.swap(bad), tabsift::ArgumentRejected)
        << bad;
  }
  // With every file chosen, a column missing from any first line rejects.
  DataOperations<double> store;
  addFile(store, {{1, 2, 3}}, 0);
  addFile(store, {{1, 2}}, 1);
  EXPECT_THROW(store.swap("1,3"), tabsift::ArgumentRejected);
  // A column is never swapped with itself, even in an empty table.
  DataOperations<double> empty;
  EXPECT_THROW(empty.swap("2,2"), tabsift::ArgumentRejected);
}

}  // namespace
}  // namespace tabsift::testing
