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

TEST(MergeTest, NumbersCountTheTablesFiles) {
  // The second input had no data lines; the third input's file is number 2.
  DataOperations<int> store;
  addFile(store, {{5}}, 0);
  addFile(store, {{9}, {kAbsent}}, 2);
  store.merge();
  EXPECT_EQ(show(store), "1 5 | 2 9; 2 --");
}

TEST(MergeTest, FilterOnTheFileNumber) {
  DataOperations<double> store;
  addFile(store, {{5, 6}, {7, 8}}, 0);
  addFile(store, {{9, 10}}, 1);
  store.merge();
  store.setFilter("1,eq2");
  EXPECT_EQ(show(store), "2 9 10");
}

TEST(MergeTest, GroupByFileNumber) {
  DataOperations<double> store;
  addFile(store, {{5, 6}, {7, 8}}, 0);
  addFile(store, {{9, 10}}, 1);
  store.merge();
  store.group("1");
  EXPECT_EQ(show(store), "1 5 6 7 8; 2 9 10 -- --");
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
