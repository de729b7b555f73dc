#include "stats/request.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

using Letters = std::vector<Statistic>;
constexpr Statistic S = Statistic::kSum, A = Statistic::kAverage,
                    M = Statistic::kMedian, D = Statistic::kDeviation,
                    C = Statistic::kCount;

TEST(ParseCalculateRequestTest, LettersInOrderWithRepeats) {
  EXPECT_EQ(parseCalculateRequest("a,s,m,c"), (Letters{A, S, M, C}));
  EXPECT_EQ(parseCalculateRequest("d"), (Letters{D}));
  EXPECT_EQ(parseCalculateRequest("s,s,a,s"), (Letters{S, S, A, S}));
}

TEST(ParseCalculateRequestTest, EmptyRequestAndTrailingComma) {
  EXPECT_EQ(parseCalculateRequest(""), Letters{});
  EXPECT_EQ(parseCalculateRequest("s,"), (Letters{S}));
  EXPECT_EQ(parseCalculateRequest("a,c,"), (Letters{A, C}));
}

TEST(ParseCalculateRequestTest, MalformedRequests) {
  const std::vector<std::string_view> malformed = {
      ",", ",s", "S", "s,A", "s, a", " s", "s ", "sa", "s,,a", "s,,", "sum",
      "x", "s,x", "1", std::string_view("s\0", 2)};
  for (std::string_view bad : malformed) {
    EXPECT_EQ(parseCalculateRequest(bad), std::nullopt) << '"' << bad << '"';
  }
}

}  // namespace
}  // namespace tabsift
