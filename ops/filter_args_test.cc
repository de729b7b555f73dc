#include "ops/filter_args.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>

namespace tabsift {
namespace {

// "column logic op threshold ... | kept columns", or "rejected".
std::string describe(const std::string& argument) {
  std::optional<FilterRequest> r = parseFilterRequest(argument);
  if (!r) return "rejected";
  std::ostringstream text;
  text << r->column << ' ' << r->logic;
  for (std::size_t k = 0; k < r->ops.size(); ++k) {
    text << ' ' << r->ops[k] << r->thresholds[k];
  }
  text << " |";
  for (int c : r->keepColumns) text << ' ' << c;
  return text.str();
}

TEST(FilterArgsTest, ConditionsAndColumnList) {
  // clang-format off
  const std::pair<const char*, const char*> cases[] = {
      // The tail's 0 is the first list entry (the end-to-end table has the
      // plainer forms and the errors).
      {"3,le-0.5,0,1,3", "3 0 le-0.5 | 0 1 3"}, {"1,gt2,0,3,3,1", "1 0 gt2 | 0 3 3 1"},
      {"2,ge0,a,lt10,2", "2 a ge0 lt10 | 2"}, {"1,gt2,a,ne5", "1 a gt2 ne5 |"},
      // Thresholds as strtod reads them; text after one without a comma is
      // ignored with the tail.
      {"1,gt+2.5E2", "1 0 gt250 |"}, {"1,gt0x10", "1 0 gt16 |"}, {"1,lt-inf", "1 0 lt-inf |"},
      {"1,gt2abc,0,1", "1 0 gt2 |"},
      // White space where the scans skip it; the tail ends at the first.
      {" 2, gt 3, 0,1", "2 0 gt3 | 0 1"}, {"1,gt2,0,1 ,2", "1 0 gt2 | 0 1"},
      {"1,gt2, ", "1 0 gt2 |"},
      // The list ends at an entry not followed by a comma.
      {"1,gt2,0,1x,2", "1 0 gt2 | 0 1"}, {"1,gt2,0,-3,+4,", "1 0 gt2 | 0 -3 4"},
      // Numbers beyond int saturate.
      {"-99999999999,gt0,0,99999999999", "-2147483648 0 gt0 | 0 2147483647"}};
  // clang-format on
  for (const auto& [argument, request] : cases) {
    EXPECT_EQ(describe(argument), request) << '"' << argument << '"';
  }
}

TEST(FilterArgsTest, MalformedArgumentsAreRejected) {
  for (const char* bad :
       {"1", "1,", "1,g2", "1,gtx", "x,gt2", ",gt2", "1 ,gt2", "1;gt2",
        "1,gt2,x", "1,gt2,a", "1,gt2,a,", "1,gt2,ab,lt3", "1,gt2,a,xx3",
        "1,gt2,o,lt 5", "1,gt2,0,,1", "1,GT2", "1,g t2", "1,gt2,a,lt3,x"}) {
    EXPECT_EQ(describe(bad), "rejected") << '"' << bad << '"';
  }
}

}  // namespace
}  // namespace tabsift
