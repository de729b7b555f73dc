#include "stats/request.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

using Letters = std::vector<Statistic>;
constexpr Statistic S = Statistic::kSum, A = Statistic::kAverage,
                    M = Statistic::kMedian, C = Statistic::kCount;

TEST(ParseCalculateRequestTest, LettersInOrderWithRepeats) {
  EXPECT_EQ(parseCalculateRequest("a,s,m,c"), (Letters{A, S, M, C}));
  EXPECT_EQ(parseCalculateRequest("s,s,a,"), (Letters{S, S, A}));
  EXPECT_EQ(parseCalculateRequest(""), Letters{});
  for (std::string_view bad :
       {",", ",s", "S", "s, a", " s", "sa", "s,,a", "s,,", "s,x", "1"}) {
    EXPECT_EQ(parseCalculateRequest(bad), std::nullopt) << '"' << bad << '"';
  }
  EXPECT_EQ(parseCalculateRequest(std::string_view("s\0", 2)), std::nullopt);
}

}  // namespace
}  // namespace tabsift
