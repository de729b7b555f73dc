#include <gtest/gtest.h>

#include "ops/store_test_util.h"

namespace tabsift::testing {
namespace {

// Two inputs of 3 and 2 lines; E is in both, F only in the second.
template <typename T = double>
DataOperations<T> twoInputs() {
  DataOperations<T> store;
  addFile(store, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, 0);
  addFile(store, {{10, 11, 12}, {13, 14, 15}}, 1);
  store.parameters = {{{"E", 2.9}}, {{"E", -7.5}, {"F", 3e10}}};
  return store;
}

template <typename T = double>
std::string selected(const std::string& argument) {
  auto store = twoInputs<T>();
  store.print(argument);
  EXPECT_EQ(store.data.size(), 1u);
  EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{0}));
  return show(store);
}

TEST(SelectTest, ColumnsInArgumentOrder) {
  EXPECT_EQ(selected("2,1"), "2 1; 5 4; 8 7; 11 10; 14 13");
  EXPECT_EQ(selected("1,1,"), "1 1; 4 4; 7 7; 10 10; 13 13");
  EXPECT_EQ(selected("5,-1"), "-- --; -- --; -- --; -- --; -- --");
  EXPECT_EQ(selected("2x"), "2; 5; 8; 11; 14");
}

TEST(SelectTest, ParametersOfEachLinesOwnInput) {
  EXPECT_EQ(selected("1,2,E"), "1 2 2.9; 4 5 2.9; 7 8 2.9; 10 11 -7.5; 13 14 -7.5");
  EXPECT_EQ(selected("E,1"), "2.9 1; 2.9 4; 2.9 7; -7.5 10; -7.5 13");
  EXPECT_EQ(selected("F,3,E"),
            "-- 3 2.9; -- 6 2.9; -- 9 2.9; 3e+10 12 -7.5; 3e+10 15 -7.5");
}

TEST(SelectTest, ParametersAloneGiveOneLinePerFile) {
  EXPECT_EQ(selected("E"), "2.9; -7.5");
  EXPECT_EQ(selected("E,F"), "2.9 --; -7.5 3e+10");
}

TEST(SelectTest, CellTypeConversionOfParameters) {
  EXPECT_EQ(selected<int>("E"), "2; -7");
  // 3e10 lies beyond the int range: an absent cell.
  EXPECT_EQ(selected<int>("F"), "--; --");
  auto store = twoInputs<float>();
  store.print("E");
  EXPECT_EQ(store.data[0][0][0].value, 2.9f);
}

TEST(SelectTest, FileWithoutDataLinesKeepsLaterFilesOnTheirInput) {
  // The input at position 1 had no data lines, so the table's second file
  // came from input 2.
  DataOperations<double> store;
  addFile(store, {{1}}, 0);
  addFile(store, {{2}}, 2);
  store.parameters = {{{"T", 100}}, {{"T", 200}}, {{"T", 300}}};
  store.print("1,T");
  EXPECT_EQ(show(store), "1 100; 2 300");
}

TEST(SelectTest, AfterAFoldEveryLineMeetsTheFirstInput) {
  auto store = twoInputs();
  store.setFilter("1,gt5");
  store.print("1,E");
  EXPECT_EQ(show(store), "7 2.9; 10 2.9; 13 2.9");
}

TEST(SelectTest, NoLinesGivesParameterLinePerFile) {
  auto store = twoInputs();
  store.setFilter("1,gt100");
  store.print("1,E");
  EXPECT_EQ(show(store), "2.9");
}

TEST(SelectTest, WithoutParametersColumnsStillWork) {
  DataOperations<double> store;
  addFile(store, {{1, 2}}, 0);
  store.print("2,1");
  EXPECT_EQ(show(store), "2 1");
}

TEST(SelectDeathTest, MalformedArgumentsEndTheRun) {
  for (const char* bad : {"1,,2", ",1", "0", "0.0", "0.05", "G", "1,X2"}) {
    auto store = twoInputs();
    EXPECT_EXIT(store.print(bad), ::testing::ExitedWithCode(1),
                "^Wrong print argument\n$")
        << bad;
  }
  DataOperations<double> stdinStore;
  addFile(stdinStore, {{1, 2}}, 0);
  EXPECT_EXIT(stdinStore.print("E"), ::testing::ExitedWithCode(1),
              "Wrong print argument");
}

}  // namespace
}  // namespace tabsift::testing
