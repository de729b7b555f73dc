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

TEST(GroupTest, KeysCompareExactlyAndNumerically) {
  EXPECT_EQ(grouped("1", {{{0.1, 1}, {0.1000001, 2}}, {{0.1, 3}}}),
            "0.1 1 3; 0.1 2 --");
  EXPECT_EQ(grouped<int>("1", {{{5, 1}, {-1, 2}, {3, 3}}}), "-1 2; 3 3; 5 1");
  // A line too short for the key column contributes nothing.
  EXPECT_EQ(grouped("2", {{{7}, {1, 2, 3}}}), "2 1 3");
}

TEST(GroupTest, NaNKeysFormOneGroupAfterEveryNumber) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  DataOperations<double> store;
  addFile(store, {{nan, 1}, {2, 2}, {-nan, 3}, {-INFINITY, 4}, {0.0, 5},
                  {-0.0, 6}},
          0);
  store.group("1");
  ASSERT_EQ(store.data[0].size(), 4u);
  EXPECT_EQ(store.data[0][0][0].value(), -INFINITY);
  EXPECT_EQ(store.data[0][1][0].value(), 0.0);
  EXPECT_FALSE(std::signbit(store.data[0][1][0].value()));  // first one seen
  EXPECT_EQ(store.data[0][1][1].value(), 5);
  EXPECT_EQ(store.data[0][1][2].value(), 6);
  EXPECT_EQ(store.data[0][2][0].value(), 2);
  EXPECT_TRUE(std::isnan(store.data[0][3][0].value()));
  EXPECT_EQ(store.data[0][3].size(), 3u);
}

TEST(GroupTest, FileModeOnOneFileOrNone) {
  EXPECT_EQ(grouped("f", {{{1, 2}, {3}}}), "1 2; 3");
  EXPECT_EQ(grouped("f", {}), "");
}

}  // namespace
}  // namespace tabsift::testing
