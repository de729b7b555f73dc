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

TEST(FilterTest, KeepsPassingLinesWithAllCells) {
  EXPECT_EQ(filtered("1,gt2"), "3 30 300; 5 -- 500");
  EXPECT_EQ(filtered("1,gt2,0,1,2"), "3 30; 5 --");
  // The list holding only 0 empties every kept line.
  EXPECT_EQ(filtered("1,gt2,0"), "; ");
  EXPECT_EQ(filtered("1,gt2,0,3,3,1"), "300 300 3; 500 500 5");
  EXPECT_EQ(filtered("1,gt2,0,3,3,1", 0, {{3, 30, 300}, {4, 40}}),
            "300 300 3; 4");
}

TEST(FilterTest, AbsentTestCellFailsEveryCondition) {
  EXPECT_EQ(filtered("2,ne0"), "1 10 100; 2 20 200; 3 30 300; -- 40 400");
  EXPECT_EQ(filtered("1,lt9,o,gt0"), "1 10 100; 2 20 200; 3 30 300; 5 -- 500");
  EXPECT_EQ(filtered("1,eq1", 0, {{1, 2}, {}, {1}}), "1 2; 1");
}

TEST(FilterTest, TwoConditions) {
  const LinesText xs = {{-5}, {0}, {2}, {5}, {10}, {11}};
  EXPECT_EQ(filtered("1,ge0,a,le10", 0, xs), "0; 2; 5; 10");
  EXPECT_EQ(filtered("1,lt0,o,gt10", 0, xs), "-5; 11");
  EXPECT_EQ(filtered("1,gt2,a,ne5", 0, xs), "10; 11");
  EXPECT_EQ(filtered("1,ge0,a,lt10,1", 0, xs), "0; 2; 5");
}

TEST(FilterTest, Tolerance) {
  const LinesText xs = {{2.4}, {2.5}, {3}, {3.5}, {3.6}};
  EXPECT_EQ(filtered("1,eq3", 0, xs), "3");
  EXPECT_EQ(filtered("1,eq3", 0.5, xs), "2.5; 3; 3.5");
  EXPECT_EQ(filtered("1,lt3", 0.5, xs), "2.4; 2.5; 3");
  EXPECT_EQ(filtered("1,gt3", 0.5, xs), "3; 3.5; 3.6");
  EXPECT_EQ(filtered("1,ne3", 0.5, xs), "2.4; 3.6");
}

TEST(FilterTest, ColumnsOutOfRangeKeepNothing) {
  DataOperations<double> store;
  addFile(store, kSample, 0);
  store.setFilter("0,gt2");
  ASSERT_EQ(store.data.size(), 1u);
  EXPECT_TRUE(store.data[0].empty());
  EXPECT_EQ(filtered("9,gt2"), "");
  EXPECT_EQ(filtered("-1,gt2"), "");
  EXPECT_EQ(filtered("99999999999,gt2"), "");
  // A list entry beyond a line, or below 1, adds nothing to it.
  EXPECT_EQ(filtered("1,gt2,0,9,-1,2"), "30; --");
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

TEST(FilterTest, IntCellsFormTheLeLimitInIntegers) {
  const LinesText xs = {{-4}, {-3}, {-2}, {2}, {3}};
  EXPECT_EQ(filtered<int>("1,le2.7", 0, xs), "-4; -3; -2; 2");
  EXPECT_EQ(filtered<int>("1,le-2.5", 0, xs), "-4; -3; -2");
  EXPECT_EQ(filtered<int>("1,lt-2.5", 0, xs), "-4; -3");
  // An int tolerance below 1 is 0.
  EXPECT_EQ(filtered<int>("1,eq3", 0.9, xs), "3");
  EXPECT_EQ(filtered<int>("1,eq3", 1.9, xs), "2; 3");
}

TEST(FilterTest, FloatCellsFormTheLeLimitInFloats) {
  const LinesText xs = {{0.1}, {0.2}};
  EXPECT_EQ(filtered<float>("1,le0.1", 0, xs), "0.1");
  EXPECT_EQ(filtered<float>("1,lt0.1", 0, xs), "");
  EXPECT_EQ(filtered<double>("1,le0.1", 0, xs), "0.1");
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

TEST(FilterDeathTest, MalformedArgumentsEndTheRun) {
  for (const char* bad : {"1,gt", "1,xx2", "", "2,lt5,1,3"}) {
    DataOperations<double> store;
    addFile(store, kSample, 0);
    EXPECT_EXIT(store.setFilter(bad), ::testing::ExitedWithCode(1),
                "^Wrong filtr argument\n$")
        << bad;
  }
}

}  // namespace
}  // namespace tabsift::testing
