#include "ops/filter_condition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tabsift {
namespace {

using C = Comparison;

TEST(ComparisonNameTest, SixNamesOnly) {
  EXPECT_EQ(comparisonFromName("lt"), C::kLt);
  EXPECT_EQ(comparisonFromName("gt"), C::kGt);
  EXPECT_EQ(comparisonFromName("le"), C::kLe);
  EXPECT_EQ(comparisonFromName("ge"), C::kGe);
  EXPECT_EQ(comparisonFromName("eq"), C::kEq);
  EXPECT_EQ(comparisonFromName("ne"), C::kNe);
  EXPECT_FALSE(comparisonFromName("Lt"));
  EXPECT_FALSE(comparisonFromName("l"));
  EXPECT_FALSE(comparisonFromName(""));
  EXPECT_FALSE(comparisonFromName("ltx"));
}

TEST(ConditionTest, NoToleranceIsExact) {
  EXPECT_TRUE(conditionHolds(C::kEq, 3.0, 3.0, 0.0));
  EXPECT_FALSE(conditionHolds(C::kEq, 3.0000001, 3.0, 0.0));
  EXPECT_TRUE(conditionHolds(C::kNe, 3.0000001, 3.0, 0.0));
  EXPECT_FALSE(conditionHolds(C::kNe, 3.0, 3.0, 0.0));
  EXPECT_TRUE(conditionHolds(C::kLt, 2.0, 3.0, 0.0));
  EXPECT_FALSE(conditionHolds(C::kLt, 3.0, 3.0, 0.0));
  EXPECT_TRUE(conditionHolds(C::kLe, 3.0, 3.0, 0.0));
  EXPECT_FALSE(conditionHolds(C::kGt, 3.0, 3.0, 0.0));
  EXPECT_TRUE(conditionHolds(C::kGe, 3.0, 3.0, 0.0));
  EXPECT_TRUE(conditionHolds(C::kGt, 3.5, 3.0, 0.0));
}

TEST(ConditionTest, ToleranceWidensTowardMoreValues) {
  // eq 3 with tolerance 0.5 admits 2.5 to 3.5.
  EXPECT_TRUE(conditionHolds(C::kEq, 2.5, 3.0, 0.5));
  EXPECT_TRUE(conditionHolds(C::kEq, 3.5, 3.0, 0.5));
  EXPECT_FALSE(conditionHolds(C::kEq, 3.6, 3.0, 0.5));
  EXPECT_FALSE(conditionHolds(C::kEq, 2.4, 3.0, 0.5));
  EXPECT_FALSE(conditionHolds(C::kNe, 3.5, 3.0, 0.5));
  EXPECT_TRUE(conditionHolds(C::kNe, 3.6, 3.0, 0.5));
  EXPECT_TRUE(conditionHolds(C::kLt, 3.4, 3.0, 0.5));
  EXPECT_FALSE(conditionHolds(C::kLt, 3.5, 3.0, 0.5));
  EXPECT_TRUE(conditionHolds(C::kGt, 2.6, 3.0, 0.5));
  EXPECT_FALSE(conditionHolds(C::kGt, 2.5, 3.0, 0.5));
  EXPECT_TRUE(conditionHolds(C::kGe, 2.5, 3.0, 0.5));
  EXPECT_TRUE(conditionHolds(C::kLe, 3.5, 3.0, 0.5));
}

TEST(ConditionTest, EqBandIsFormedAsWritten) {
  // The half-width is (v + t) - v: with a large threshold a tiny tolerance
  // vanishes in the sum, so only the exact value passes.
  EXPECT_FALSE(conditionHolds(C::kEq, 1e16 + 2, 1e16, 1e-3));
  EXPECT_TRUE(conditionHolds(C::kEq, 1e16, 1e16, 1e-3));
  // 0.1 + 0.2 - 0.1 is not exactly 0.2.
  const double band = (0.1 + 0.2) - 0.1;
  EXPECT_EQ(conditionHolds(C::kEq, 0.1 + band, 0.1, 0.2),
            std::fabs(0.1 + band - 0.1) <= band);
}

TEST(ConditionTest, LeFormsItsLimitInTheIntCellType) {
  // le2.7 admits 2 but not 3; le-2.5 admits -2 (threshold truncated toward
  // zero) while lt-2.5 does not.
  EXPECT_TRUE(conditionHolds(C::kLe, 2, 2.7, 0));
  EXPECT_FALSE(conditionHolds(C::kLe, 3, 2.7, 0));
  EXPECT_TRUE(conditionHolds(C::kLe, -2, -2.5, 0));
  EXPECT_FALSE(conditionHolds(C::kLe, -1, -2.5, 0));
  EXPECT_FALSE(conditionHolds(C::kLt, -2, -2.5, 0));
  EXPECT_TRUE(conditionHolds(C::kLt, -3, -2.5, 0));
  // The int tolerance is added in integers.
  EXPECT_TRUE(conditionHolds(C::kLe, 4, 2.7, 2));
  EXPECT_FALSE(conditionHolds(C::kLe, 5, 2.7, 2));
  // Other tests stay in double: lt2.7 admits 2 only, with tolerance 1 also 3.
  EXPECT_TRUE(conditionHolds(C::kLt, 3, 2.7, 1));
  EXPECT_FALSE(conditionHolds(C::kLt, 4, 2.7, 1));
}

TEST(ConditionTest, IntLeLimitNeverOverflows) {
  constexpr int kMax = std::numeric_limits<int>::max();
  constexpr int kMin = std::numeric_limits<int>::min();
  EXPECT_TRUE(conditionHolds(C::kLe, kMax, 1e30, 0));
  EXPECT_FALSE(conditionHolds(C::kLe, kMin, -1e30, 0));
  EXPECT_TRUE(conditionHolds(C::kLe, kMax, static_cast<double>(kMax), kMax));
  EXPECT_TRUE(conditionHolds(C::kLe, kMax, INFINITY, 0));
  EXPECT_FALSE(conditionHolds(C::kLe, kMin, -INFINITY, 0));
  EXPECT_FALSE(conditionHolds(C::kLe, 0, NAN, 0));
  EXPECT_FALSE(conditionHolds(C::kLe, kMin, -5e9, kMax));
}

TEST(ConditionTest, LeFormsItsLimitInTheFloatCellType) {
  // 0.1 rounds to a float above the double 0.1: the float cell 0.1f passes
  // le0.1 because the limit is the float 0.1f, while lt0.1 in double fails.
  EXPECT_TRUE(conditionHolds(C::kLe, 0.1f, 0.1, 0.0f));
  EXPECT_FALSE(conditionHolds(C::kLt, 0.1f, 0.1, 0.0f));
  EXPECT_FALSE(conditionHolds(C::kEq, 0.1f, 0.1, 0.0f));
  // Float sum: 1e8f + 1.0f stays 1e8f, so 100000001 (as float 1e8) passes
  // but the float 100000008 does not.
  EXPECT_TRUE(conditionHolds(C::kLe, 1e8f, 1e8, 1.0f));
  EXPECT_FALSE(conditionHolds(C::kLe, 100000008.0f, 1e8, 1.0f));
  // A threshold beyond the float range makes the limit infinite.
  EXPECT_TRUE(conditionHolds(C::kLe, 3e38f, 1e300, 0.0f));
}

TEST(ConditionTest, NaNCellsAndThresholdsNeverMatchExceptNe) {
  EXPECT_FALSE(conditionHolds(C::kEq, std::nan(""), 1.0, 0.0));
  EXPECT_FALSE(conditionHolds(C::kLt, std::nan(""), 1.0, 0.0));
  EXPECT_FALSE(conditionHolds(C::kGe, 1.0, NAN, 0.0));
  EXPECT_FALSE(conditionHolds(C::kLe, 1.0, NAN, 0.0));
  EXPECT_FALSE(conditionHolds(C::kLe, 1.0f, NAN, 0.0f));
  EXPECT_FALSE(conditionHolds(C::kNe, std::nan(""), 1.0, 0.0));
}

}  // namespace
}  // namespace tabsift
