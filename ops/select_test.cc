#include <gtest/gtest.h>

#include "ops/store_test_util.h"

namespace tabsift::testing {
namespace {

// Two inputs of 3 and 2 lines, each with its own E.
template <typename T = double>
DataOperations<T> twoInputs() {
  DataOperations<T> store;
  addFile(store, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, 0);
  addFile(store, {{10, 11, 12}, {13, 14, 15}}, 1);
  store.parameters = {{{"E", 2.9}}, {{"E", -7.5}}};
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

TEST(SelectTest, ColumnsBeyondEveryLineAreAbsent) {
  EXPECT_EQ(selected("5,-1"), "-- --; -- --; -- --; -- --; -- --");
}

TEST(SelectTest, CellTypeConversionOfParameters) {
  EXPECT_EQ(selected<int>("E"), "2; -7");
  auto store = twoInputs<float>();
  store.print("E");
  EXPECT_EQ(store.data[0][0][0].value(), 2.9f);
}

TEST(SelectTest, NoLinesGivesParameterLinePerFile) {
  auto store = twoInputs();
  store.setFilter("1,gt100");
  store.print("1,E");
  EXPECT_EQ(show(store), "2.9");
}

}  // namespace
}  // namespace tabsift::testing
