#include <gtest/gtest.h>

#include "ops/store_test_util.h"

namespace tabsift::testing {
namespace {

TEST(MergeTest, TagsLinesWithTheirFileNumber) {
  DataOperations<double> store;
  addFile(store, {{5, 6}, {7, 8}}, 0);
  addFile(store, {{9, 10}}, 1);
  store.merge();
  EXPECT_TRUE(store.mergeFlag);
  EXPECT_EQ(show(store), "1 5 6; 1 7 8 | 2 9 10");
}

TEST(MergeTest, JoinChangesNoCell) {
  DataOperations<double> store;
  addFile(store, {{5, 6}}, 0);
  store.join();
  EXPECT_EQ(show(store), "5 6");
  EXPECT_FALSE(store.mergeFlag);
}

}  // namespace
}  // namespace tabsift::testing
