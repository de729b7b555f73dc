#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ops/store_test_util.h"

namespace tabsift::testing {
namespace {

template <typename T = double>
std::string grouped(const std::string& argument,
                    const std::vector<LinesText>& files) {
  DataOperations<T> store;
  for (std::size_t f = 0; f < files.size(); ++f) addFile(store, files[f], f);
  store.group(argument);
  EXPECT_EQ(store.data.size(), 1u);
  EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{0}));
  return show(store);
}

TEST(GroupTest, ValueModeGathersAndPads) {
  const LinesText lines = {{1, 10}, {2, 20}, {1, 30}};
  EXPECT_EQ(grouped("1", {lines}), "1 10 30; 2 20 --");
  EXPECT_EQ(grouped("2", {lines}), "10 1; 20 2; 30 1");
  EXPECT_EQ(grouped("2x", {lines}), "10 1; 20 2; 30 1");
}

TEST(GroupTest, KeysSortedNumerically) {
  EXPECT_EQ(grouped("1", {{{5, 1}, {-1, 2}, {3, 3}}}), "-1 2; 3 3; 5 1");
  EXPECT_EQ(grouped<int>("1", {{{5, 1}, {-1, 2}, {3, 3}}}), "-1 2; 3 3; 5 1");
}

TEST(GroupTest, AbsentKeysDropAbsentCellsStay) {
  EXPECT_EQ(grouped("1", {{{kAbsent, 9}, {1, kAbsent, 3}, {1, 4, 5}}}),
            "1 -- 3 4 5");
  // A line too short for the key column contributes nothing.
  EXPECT_EQ(grouped("2", {{{7}, {1, 2, 3}}}), "2 1 3");
}

TEST(GroupTest, KeysCompareExactlyAcrossFiles) {
  EXPECT_EQ(grouped("1", {{{0.1, 1}, {0.1000001, 2}}, {{0.1, 3}}}),
            "0.1 1 3; 0.1 2 --");
}

TEST(GroupTest, NaNKeysFormOneGroupAfterEveryNumber) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  DataOperations<double> store;
  addFile(store, {{nan, 1}, {2, 2}, {-nan, 3}, {-INFINITY, 4}, {0.0, 5},
                  {-0.0, 6}},
          0);
  store.group("1");
  ASSERT_EQ(store.data[0].size(), 4u);
  EXPECT_EQ(store.data[0][0][0].value, -INFINITY);
  EXPECT_EQ(store.data[0][1][0].value, 0.0);
  EXPECT_FALSE(std::signbit(store.data[0][1][0].value));  // first one seen
  EXPECT_EQ(store.data[0][1][1].value, 5);
  EXPECT_EQ(store.data[0][1][2].value, 6);
  EXPECT_EQ(store.data[0][2][0].value, 2);
  EXPECT_TRUE(std::isnan(store.data[0][3][0].value));
  EXPECT_EQ(store.data[0][3].size(), 3u);
}

TEST(GroupTest, FileModeJoinsLineByLine) {
  EXPECT_EQ(grouped("f", {{{1, 2}, {3, 4}}, {{5, 6}, {7, 8}}}),
            "1 2 5 6; 3 4 7 8");
  EXPECT_EQ(grouped("f", {{{1}, {2}, {3}}, {{4}, {5}}, {{6}, {7}, {8}}}),
            "1 4 6; 2 5 7; 3 8");
}

TEST(GroupTest, FileModeKeepsLinesBeyondTheFirstFile) {
  EXPECT_EQ(grouped("f", {{{1}}, {{2}, {3}}, {{4}, {5}, {6}}}),
            "1 2 4; 3 5; 6");
}

TEST(GroupTest, FileModeOnOneFileOrNone) {
  EXPECT_EQ(grouped("f", {{{1, 2}, {3}}}), "1 2; 3");
  EXPECT_EQ(grouped("f", {}), "");
}

TEST(GroupDeathTest, BadArgumentsEndTheRun) {
  for (const char* bad : {"0", "x", "F", "3", "-1"}) {
    DataOperations<double> store;
    addFile(store, {{1, 2}, {3, 4}}, 0);
    EXPECT_EXIT(store.group(bad), ::testing::ExitedWithCode(1),
                "^Wrong group argument\n$")
        << bad;
  }
  DataOperations<double> empty;
  EXPECT_EXIT(empty.group("1"), ::testing::ExitedWithCode(1),
              "Wrong group argument");
}

}  // namespace
}  // namespace tabsift::testing
