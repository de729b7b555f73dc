// The names of the cells that line statistics add.
#include "stats/statistic_names.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

TEST(StatisticNamesTest, EveryItemOfARequest) {
  EXPECT_EQ(
      statisticNames("c,s,a,m,d,l,h,e,b,p90,"),
      std::vector<std::string>({"count", "sum", "mean", "median", "sstdev",
                                "min", "max", "sem", "bsem", "p90"}));
  EXPECT_EQ(statisticNames(""), std::vector<std::string>());
}

}  // namespace
}  // namespace tabsift
