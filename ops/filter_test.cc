#include <gtest/gtest.h>

#include "ops/store_test_util.h"

namespace tabsift::testing {
namespace {

const LinesText kSample = {{1, 10, 100}, {2, 20, 200}, {3, 30, 300},
                           {kAbsent, 40, 400}, {5, kAbsent, 500}};

template <typename T = double>
std::string filtered(const std::string& argument, double tol = 0,
                     const LinesText& lines = kSample) {
  DataOperations<T> store;
  addFile(store, lines, 0);
  store.tol(tol);
  store.setFilter(argument);
  return show(store);
}

TEST(FilterTest, KeptLinesStayWholeAndListsSkipMissingColumns) {
  EXPECT_EQ(filtered("1,gt2"), "3 30 300; 5 -- 500");
  // A list entry beyond a line, or below 1, adds nothing to it.
  EXPECT_EQ(filtered("1,gt2,0,9,-1,2"), "30; --");
  EXPECT_EQ(filtered("-1,gt2"), "");
}

TEST(FilterTest, AbsentOrMissingTestCellFailsEveryCondition) {
  EXPECT_EQ(filtered("1,lt9,o,gt0"), "1 10 100; 2 20 200; 3 30 300; 5 -- 500");
  EXPECT_EQ(filtered("1,eq1", 0, {{1, 2}, {}, {1}}), "1 2; 1");
}

TEST(FilterTest, GathersAllFilesIntoOne) {
  DataOperations<double> store;
  addFile(store, {{1, 2}, {-1, 3}}, 0);
  addFile(store, {{-2, 5}, {4, 6}}, 2);
  store.setFilter("1,gt0");
  EXPECT_EQ(show(store), "1 2; 4 6");
  EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{0}));
  EXPECT_TRUE(store.resultLines.empty());
}

TEST(FilterTest, EmptyTableBecomesOneEmptyFile) {
  DataOperations<double> store;
  store.setFilter("1,gt0");
  ASSERT_EQ(store.data.size(), 1u);
  EXPECT_TRUE(store.data[0].empty());
}

TEST(FilterTest, IntToleranceBelowOneIsZero) {
  const LinesText xs = {{-4}, {-3}, {-2}, {2}, {3}};
  EXPECT_EQ(filtered<int>("1,eq3", 0.9, xs), "3");
  EXPECT_EQ(filtered<int>("1,eq3", 1.9, xs), "2; 3");
}

TEST(FilterTest, ASecondCallStandsAlone) {
  DataOperations<double> store;
  addFile(store, kSample, 0);
  store.setFilter("1,gt1,0,1,2");
  store.setFilter("2,lt30");
  EXPECT_EQ(show(store), "2 20");
  EXPECT_EQ(store.filterOps, (std::vector<std::string>{"lt"}));
  EXPECT_TRUE(store.filterKeepColumns.empty());
}

}  // namespace
}  // namespace tabsift::testing
