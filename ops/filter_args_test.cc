#include "ops/filter_args.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

namespace tabsift {
namespace {

FilterRequest parsed(const std::string& argument) {
  std::optional<FilterRequest> request = parseFilterRequest(argument);
  EXPECT_TRUE(request) << argument;
  return request.value_or(FilterRequest());
}

TEST(FilterArgsTest, OneConditionKeepsAllCells) {
  FilterRequest r = parsed("1,gt2");
  EXPECT_EQ(r.column, 1);
  EXPECT_EQ(r.ops, (std::vector<std::string>{"gt"}));
  EXPECT_EQ(r.thresholds, (std::vector<double>{2}));
  EXPECT_EQ(r.logic, '0');
  EXPECT_TRUE(r.keepColumns.empty());
}

TEST(FilterArgsTest, ZeroTailIsTheFirstListEntry) {
  FilterRequest r = parsed("1,gt2,0,1,2");
  EXPECT_EQ(r.logic, '0');
  EXPECT_EQ(r.keepColumns, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(parsed("1,gt2,0").keepColumns, (std::vector<int>{0}));
  FilterRequest cut = parsed("3,le-0.5,0,1,3");
  EXPECT_EQ(cut.column, 3);
  EXPECT_EQ(cut.ops, (std::vector<std::string>{"le"}));
  EXPECT_EQ(cut.thresholds, (std::vector<double>{-0.5}));
  EXPECT_EQ(cut.keepColumns, (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(parsed("1,gt2,0,3,3,1").keepColumns,
            (std::vector<int>{0, 3, 3, 1}));
}

TEST(FilterArgsTest, SecondConditionWithOrAnd) {
  FilterRequest both = parsed("2,ge0,a,lt10,2");
  EXPECT_EQ(both.logic, 'a');
  EXPECT_EQ(both.ops, (std::vector<std::string>{"ge", "lt"}));
  EXPECT_EQ(both.thresholds, (std::vector<double>{0, 10}));
  EXPECT_EQ(both.keepColumns, (std::vector<int>{2}));
  FilterRequest either = parsed("1,lt0,o,gt10");
  EXPECT_EQ(either.logic, 'o');
  EXPECT_EQ(either.ops, (std::vector<std::string>{"lt", "gt"}));
  EXPECT_TRUE(either.keepColumns.empty());
  EXPECT_EQ(parsed("1,gt2,a,ne5").ops, (std::vector<std::string>{"gt", "ne"}));
}

TEST(FilterArgsTest, ThresholdsReadAsStrtodReads) {
  EXPECT_EQ(parsed("1,eq1e-3").thresholds[0], 1e-3);
  EXPECT_EQ(parsed("1,gt+2.5E2").thresholds[0], 250);
  EXPECT_EQ(parsed("1,lt.5").thresholds[0], 0.5);
  EXPECT_EQ(parsed("1,gt0x10").thresholds[0], 16);
  EXPECT_TRUE(std::isinf(parsed("1,lt-inf").thresholds[0]));
  EXPECT_TRUE(std::isnan(parsed("1,eqnan").thresholds[0]));
  // Text after the threshold without a comma is ignored with the tail.
  FilterRequest r = parsed("1,gt2abc,0,1");
  EXPECT_EQ(r.thresholds[0], 2);
  EXPECT_TRUE(r.keepColumns.empty());
  EXPECT_EQ(r.logic, '0');
}

TEST(FilterArgsTest, WhiteSpaceWhereTheScansSkipIt) {
  FilterRequest r = parsed(" 2, gt 3, 0,1");
  EXPECT_EQ(r.column, 2);
  EXPECT_EQ(r.thresholds[0], 3);
  EXPECT_EQ(r.keepColumns, (std::vector<int>{0, 1}));
  // The tail ends at the first white space.
  EXPECT_EQ(parsed("1,gt2,0,1 ,2").keepColumns, (std::vector<int>{0, 1}));
  EXPECT_EQ(parsed("1,gt2,0,1, 2").keepColumns, (std::vector<int>{0, 1}));
  // Nothing after a trailing comma: no tail.
  EXPECT_TRUE(parsed("1,gt2,").keepColumns.empty());
  EXPECT_TRUE(parsed("1,gt2, ").keepColumns.empty());
}

TEST(FilterArgsTest, ColumnListEndsAtAnEntryNotFollowedByComma) {
  EXPECT_EQ(parsed("1,gt2,0,1x,2").keepColumns, (std::vector<int>{0, 1}));
  EXPECT_EQ(parsed("1,gt2,0,1,").keepColumns, (std::vector<int>{0, 1}));
  EXPECT_EQ(parsed("1,gt2,0,-3").keepColumns, (std::vector<int>{0, -3}));
  EXPECT_EQ(parsed("1,gt2,0,+3").keepColumns, (std::vector<int>{0, 3}));
}

TEST(FilterArgsTest, LongTailsAreAccepted) {
  std::string argument = "1,gt0,0";
  std::vector<int> expected{0};
  for (int k = 1; k <= 500; ++k) {
    argument += ',';
    argument += std::to_string(k % 7 + 1);
    expected.push_back(k % 7 + 1);
  }
  EXPECT_EQ(parsed(argument).keepColumns, expected);
}

TEST(FilterArgsTest, NumbersBeyondIntSaturate) {
  EXPECT_EQ(parsed("99999999999,gt0").column, INT_MAX);
  EXPECT_EQ(parsed("-99999999999,gt0").column, INT_MIN);
  EXPECT_EQ(parsed("1,gt0,0,99999999999").keepColumns,
            (std::vector<int>{0, INT_MAX}));
  EXPECT_EQ(parsed("0,gt2").column, 0);
  EXPECT_EQ(parsed("-3,gt2").column, -3);
}

TEST(FilterArgsTest, MalformedArgumentsAreRejected) {
  for (const char* bad :
       {"", "1", "1,", "1,gt", "1,xx2", "1,g", "1,g2", "1,gtx", "x,gt2",
        ",gt2", "1 ,gt2", "1;gt2", "2,lt5,1,3", "1,gt2,x", "1,gt2,a",
        "1,gt2,o", "1,gt2,a,", "1,gt2,ab,lt3", "1,gt2,a,lt", "1,gt2,a,xx3",
        "1,gt2,o,lt 5", "1,gt2,0,lt3", "1,gt2,0,x", "1,gt2,0,,1", "1,GT2",
        "1,g t2", "1,gt2,a,lt3,x"}) {
    EXPECT_FALSE(parseFilterRequest(bad)) << '"' << bad << '"';
  }
}

}  // namespace
}  // namespace tabsift
