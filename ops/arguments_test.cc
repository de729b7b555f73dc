// The argument grammars of the filter, selection, swap and grouping, and
// single filter conditions with their tolerance.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

#include "ops/filter_args.h"
#include "ops/filter_condition.h"
#include "ops/group_args.h"
#include "ops/select_args.h"
#include "ops/swap_args.h"

namespace tabsift {
namespace {

const std::string kRejected = "rejected";

// "column logic op threshold ... | kept columns".
std::string filter(const char* argument) {
  std::optional<FilterRequest> r = parseFilterRequest(argument);
  if (!r) return kRejected;
  std::ostringstream text;
  text << r->column << ' ' << r->logic;
  for (std::size_t k = 0; k < r->ops.size(); ++k) {
    text << ' ' << r->ops[k] << r->thresholds[k];
  }
  text << " |";
  for (int c : r->keepColumns) text << ' ' << c;
  return text.str();
}

// Items as "c" and a 0-based column or "p:" and a parameter name.
std::string selection(const char* argument) {
  auto items = parseSelection(argument);
  if (!items) return kRejected;
  std::string text;  // each item after a blank
  for (const SelectItem& item : *items) {
    text +=
        item.isColumn ? " c" + std::to_string(item.column) : " p:" + item.name;
  }
  return text;
}

// "a b file" with 0-based indexes, "*" for every file.
std::string swapping(const char* argument) {
  const SwapRequest r = parseSwapRequest(argument);
  return std::to_string(r.columnA) + ' ' + std::to_string(r.columnB) + ' ' +
         (r.oneFile ? std::to_string(r.file) : "*");
}

// "f" for files side by side, or "c" and a 0-based column.
std::string grouping(const char* argument) {
  std::optional<GroupRequest> r = parseGroupRequest(argument);
  if (!r) return kRejected;
  return r->byFiles ? "f" : 'c' + std::to_string(r->column);
}

TEST(ArgumentsTest, AcceptedArguments) {
  const std::string beyond = std::to_string(SIZE_MAX);
  const std::string belowBeyond = std::to_string(SIZE_MAX - 1);
  const struct {
    std::string (*shown)(const char*);
    const char* argument;
    std::string expected;
  } cases[] = {
      {filter, "3,le-0.5,0,1,3", "3 0 le-0.5 | 0 1 3"},
      {filter, "1,gt2,a,ne5", "1 a gt2 ne5 |"},
      {filter, "1,gt2,0,3,3,1", "1 0 gt2 | 0 3 3 1"},
      {filter, "2,ge0,a,lt10", "2 a ge0 lt10 |"},
      // Thresholds as strtod reads them.
      {filter, "1,gt0x10", "1 0 gt16 |"},
      {filter, "1,gt2abc,0,1", "1 0 gt2 |"},
      {filter, " 2, gt 3, 0,1", "2 0 gt3 | 0 1"},
      {filter, "1,gt2, ", "1 0 gt2 |"},
      {filter, "1,gt2,0,1 ,2", "1 0 gt2 | 0 1"},
      // Numbers beyond int saturate.
      {filter, "1,gt2,0,1x,2", "1 0 gt2 | 0 1"},
      {filter, "1,gt2,0,-3,+4,", "1 0 gt2 | 0 -3 4"},
      {filter, "-99999999999,gt0,0,99999999999",
       "-2147483648 0 gt0 | 0 2147483647"},
      {selection, "1,2,E", " c0 c1 p:E"},
      {selection, "1,1", " c0 c0"},
      {selection, "2x", " c1"},
      {selection, "X2", " p:X2"},
      {selection, " T", " p: T"},
      {selection, "00", " p:00"},
      {selection, "1,2,", " c0 c1"},
      {selection, "-1", " c" + belowBeyond},
      {swapping, "1", "0 0 *"},
      {swapping, "1,2,9,1", "0 1 0"},
      {swapping, " 2x, 3y,+1z", "1 2 0"},
      {swapping, "x,2,", beyond + " 1 " + beyond},
      {swapping, "-1,x", belowBeyond + ' ' + beyond + " *"},
      {grouping, "f", "f"},
      {grouping, " 3", "c2"},
      {grouping, "2x", "c1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.shown(c.argument), c.expected) << '"' << c.argument << '"';
  }
}

TEST(ArgumentsTest, RejectedArguments) {
  for (const char* bad : {"",
                          "1",
                          "1,",
                          "1,gt",
                          "1,g2",
                          "1,gtx",
                          "1,xx2",
                          "x,gt2",
                          ",gt2",
                          "1 ,gt2",
                          "1;gt2",
                          "1,gt2,x",
                          "1,gt2,a",
                          "1,gt2,a,",
                          "1,gt2,ab,lt3",
                          "1,gt2,a;lt3",
                          "1,gt2,a,xx3",
                          "1,gt2,o,lt 5",
                          "1,gt2,0,,1",
                          "1,GT2",
                          "1,l 2",
                          "1,g t2",
                          "1,gt2,a,lt3,x",
                          "2,lt5,1,3",
                          "1,gt0,0,lt3"}) {
    EXPECT_EQ(filter(bad), kRejected) << '"' << bad << '"';
  }
  for (const char* bad : {"0", "0.0", "0.05", "1,0", ",", ",1", "1,,2"}) {
    EXPECT_EQ(selection(bad), kRejected) << '"' << bad << '"';
  }
  for (const char* bad : {"", "0", "-1", "x", "x2", "F", " f", "ff"}) {
    EXPECT_EQ(grouping(bad), kRejected) << '"' << bad << '"';
  }
}

using enum Comparison;

// Condition `op v` with tolerance t on the cell x.
template <typename T>
struct Row {
  Comparison op;
  T x;
  double v;
  T t;
  bool holds;
};

template <typename T>
void expectRows(std::initializer_list<Row<T>> rows) {
  int n = 0;
  for (const Row<T>& r : rows) {
    EXPECT_EQ(conditionHolds(r.op, r.x, r.v, r.t), r.holds) << "row " << n++;
  }
}

TEST(ConditionTest, ToleranceWidensTowardMoreValues) {
  expectRows<double>({{kEq, 2.5, 3, 0.5, true},
                      {kEq, 3.5, 3, 0.5, true},
                      {kEq, 2.4, 3, 0.5, false},
                      {kEq, 3.6, 3, 0.5, false},
                      {kNe, 3.5, 3, 0.5, false},
                      {kNe, 3.6, 3, 0.5, true},
                      {kLt, 3.4, 3, 0.5, true},
                      {kLt, 3.5, 3, 0.5, false},
                      {kLe, 3.5, 3, 0.5, true},
                      {kLe, 3.6, 3, 0.5, false},
                      {kGt, 2.6, 3, 0.5, true},
                      {kGt, 2.5, 3, 0.5, false},
                      {kGe, 2.5, 3, 0.5, true},
                      {kGe, 2.4, 3, 0.5, false},
                      // The eq band's half-width is (v + t) - v, not t.
                      {kEq, 1e16 + 2, 1e16, 1e-3, false},
                      {kEq, 1e16, 1e16, 1e-3, true},
                      {kEq, 1e16 + 2, 1e16, 1.5, true},
                      // NaN matches nothing, not even ne.
                      {kEq, NAN, 1, 0, false},
                      {kNe, NAN, 1, 0, false},
                      {kGe, 1, NAN, 0, false},
                      {kLe, 1, NAN, 0, false}});
}

TEST(ConditionTest, LeFormsItsLimitInTheCellType) {
  constexpr int kMax = std::numeric_limits<int>::max(),
                kMin = std::numeric_limits<int>::min();
  expectRows<int>(
      {// Thresholds truncated toward zero; tolerances added in integers.
       {kLe, 2, 2.7, 0, true},
       {kLe, 3, 2.7, 0, false},
       {kLe, -2, -2.5, 0, true},
       {kLe, -1, -2.5, 0, false},
       {kLt, -2, -2.5, 0, false},
       {kLt, -3, -2.5, 0, true},
       {kLe, 4, 2.7, 2, true},
       {kLe, 5, 2.7, 2, false},
       {kLt, 3, 2.7, 1, true},
       {kLt, 4, 2.7, 1, false},
       // The limit never overflows.
       {kLe, kMax, 1e30, 0, true},
       {kLe, kMin, -1e30, 0, false},
       {kLe, kMax, double(kMax), kMax, true},
       {kLe, kMax, INFINITY, 0, true},
       {kLe, 0, NAN, 0, false},
       {kLe, kMin, -5e9, kMax, false}});
  expectRows<float>(
      {// 0.1 rounds to a float above the double 0.1; 1e8f + 1.0f stays 1e8f.
       {kLe, 0.1f, 0.1, 0, true},
       {kLt, 0.1f, 0.1, 0, false},
       {kLe, 1e8f, 1e8, 1, true},
       {kLe, 100000008.0f, 1e8, 1, false},
       {kLe, 3e38f, 1e300, 0, true},
       {kLe, 1, NAN, 0, false}});
}

}  // namespace
}  // namespace tabsift
