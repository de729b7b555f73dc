// The argument grammars of the row filter, the selection, the column swap
// and grouping: accepted arguments shown as short texts, and one list of
// rejected arguments per grammar. The end-to-end table has the plainer
// forms, the messages and the rejections that depend on the table.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>

#include "ops/filter_args.h"
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
  // clang-format off
  const struct {
    std::string (*shown)(const char*);
    const char* argument;
    std::string expected;
  } cases[] = {
      // The filter's tail: its 0 is the first list entry.
      {filter, "3,le-0.5,0,1,3", "3 0 le-0.5 | 0 1 3"}, {filter, "1,gt2,a,ne5", "1 a gt2 ne5 |"},
      {filter, "1,gt2,0,3,3,1", "1 0 gt2 | 0 3 3 1"},
      {filter, "2,ge0,a,lt10,2", "2 a ge0 lt10 | 2"},
      // Thresholds as strtod reads them; text after one without a comma is
      // ignored with the tail.
      {filter, "1,gt0x10", "1 0 gt16 |"}, {filter, "1,gt2abc,0,1", "1 0 gt2 |"},
      // White space where the scans skip it; the tail ends at the first.
      {filter, " 2, gt 3, 0,1", "2 0 gt3 | 0 1"}, {filter, "1,gt2, ", "1 0 gt2 |"},
      {filter, "1,gt2,0,1 ,2", "1 0 gt2 | 0 1"},
      // The list ends at an entry not followed by a comma; numbers beyond int saturate.
      {filter, "1,gt2,0,1x,2", "1 0 gt2 | 0 1"}, {filter, "1,gt2,0,-3,+4,", "1 0 gt2 | 0 -3 4"},
      {filter, "-99999999999,gt0,0,99999999999", "-2147483648 0 gt0 | 0 2147483647"},
      // Selection items in order, numbers read as atoi does.
      {selection, "1,2,E", " c0 c1 p:E"}, {selection, "1,1", " c0 c0"}, {selection, "2x", " c1"},
      {selection, "X2", " p:X2"}, {selection, " T", " p: T"}, {selection, "00", " p:00"},
      {selection, "1,2,", " c0 c1"}, {selection, "-1", " c" + belowBeyond},
      // Swap: the columns, then the file after the last comma.
      {swapping, "1", "0 0 *"}, {swapping, "1,2,9,1", "0 1 0"}, {swapping, " 2x, 3y,+1z", "1 2 0"},
      {swapping, "x,2,", beyond + " 1 " + beyond},
      {swapping, "-1,x", belowBeyond + ' ' + beyond + " *"},
      // Grouping by files for exactly "f".
      {grouping, "f", "f"}, {grouping, " 3", "c2"}, {grouping, "2x", "c1"},
  };
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(c.shown(c.argument), c.expected) << '"' << c.argument << '"';
  }
}

TEST(ArgumentsTest, RejectedArguments) {
  // clang-format off
  for (const char* bad : {"", "1", "1,", "1,gt", "1,g2", "1,gtx", "1,xx2", "x,gt2", ",gt2",
                          "1 ,gt2", "1;gt2", "1,gt2,x", "1,gt2,a", "1,gt2,a,", "1,gt2,ab,lt3",
                          "1,gt2,a,xx3", "1,gt2,o,lt 5", "1,gt2,0,,1", "1,GT2", "1,l 2", "1,g t2",
                          "1,gt2,a,lt3,x", "2,lt5,1,3", "1,gt0,0,lt3"}) {
    EXPECT_EQ(filter(bad), kRejected) << '"' << bad << '"';
  }
  for (const char* bad : {"0", "0.0", "0.05", "1,0", ",", ",1", "1,,2"}) {
    EXPECT_EQ(selection(bad), kRejected) << '"' << bad << '"';
  }
  for (const char* bad : {"", "0", "x", "x2", "F", " f", "ff"}) {
    EXPECT_EQ(grouping(bad), kRejected) << '"' << bad << '"';
  }
  // clang-format on
}

}  // namespace
}  // namespace tabsift
