// Results only on a store filled by hand: a second request on the results of
// the first, and files without lines among others, which the reader never
// makes, leaving the table together with their record of the input.
#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "table/data_operations.h"

namespace {

using Store = DataOperations<double>;
using Rows = std::vector<std::vector<double>>;

Store::File fileOf(const Rows& rows) {
  Store::File file;
  for (const auto& row : rows) {
    Store::Line& line = file.emplace_back();
    for (double x : row) line.emplace_back(x);
  }
  return file;
}

Rows rowsOf(const Store::File& file) {
  Rows rows;
  for (const Store::Line& line : file) {
    auto& row = rows.emplace_back();
    for (const Store::Value& cell : line) {
      EXPECT_TRUE(cell.present());
      row.push_back(cell.value());
    }
  }
  return rows;
}

TEST(ResultsOnlyTest, SecondRequestTakesOnlyTheFirstRequestsResults) {
  Store store;
  store.results();
  store.data = {fileOf({{1, 2, 3}, {4, 5, 9}})};
  store.fileInputs = {0};
  store.calculate("s,a");
  store.calculate("s,a");
  ASSERT_EQ(store.data.size(), 1u);
  EXPECT_EQ(rowsOf(store.data[0]), (Rows{{8, 4}, {24, 12}}));
}

TEST(ResultsOnlyTest, SecondColumnRequestCountsTheResultLines) {
  Store store;
  store.results();
  store.col();
  store.data = {fileOf({{1, 2}, {3, 4}, {5, 6}})};
  store.fileInputs = {0};
  store.calculate("a,d,m");
  store.calculate("c,s");
  ASSERT_EQ(store.data.size(), 1u);
  EXPECT_EQ(rowsOf(store.data[0]), (Rows{{3, 3}, {3 + 2 + 3, 4 + 2 + 4}}));
}

TEST(ResultsOnlyTest, EmptyFilesLeaveWithTheirInputRecord) {
  for (bool col : {false, true}) {
    Store store;
    store.results();
    if (col) store.col();
    store.data = {fileOf({}), fileOf({{1, 2}}), fileOf({}), fileOf({{3, 4}})};
    store.fileInputs = {0, 2, 3, 5};
    store.calculate("s");
    ASSERT_EQ(store.data.size(), 2u) << col;
    EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{2, 5})) << col;
    EXPECT_EQ(rowsOf(store.data[0]), (col ? Rows{{1, 2}} : Rows{{3}}));
    EXPECT_EQ(rowsOf(store.data[1]), (col ? Rows{{3, 4}} : Rows{{7}}));
  }
}

TEST(ResultsOnlyTest, JoinedColumnsKeepTheLastFileWithItsInput) {
  Store store;
  store.results();
  store.col();
  store.join();
  store.data = {fileOf({{1, 2}}), fileOf({{3, 4}, {5, 6}})};
  store.fileInputs = {0, 4};
  store.calculate("s");
  ASSERT_EQ(store.data.size(), 1u);
  EXPECT_EQ(store.fileInputs, (std::vector<std::size_t>{4}));
  EXPECT_EQ(rowsOf(store.data[0]), (Rows{{9, 12}}));
}

}  // namespace
