// Column names in operation arguments resolved to column numbers, and the
// words refused.
#include "ops/name_args.h"

#include <gtest/gtest.h>

#include <string>

namespace tabsift {
namespace {

using enum NamedArgument;

// "press" and "x" stand in different columns of the two first files; the
// third names only its second and third columns, "f" and "7"; "T" is a
// column and a parameter.
const std::vector<ColumnNames> kFiles = {{"step", "energy", "press", "x"},
                                         {"step", "energy", "x", "press", "T"},
                                         {"", "f", "7"}};
const std::vector<std::map<std::string, double>> kParameters = {{{"T", 300}},
                                                                {{"E", 1}}};

std::string resolved(NamedArgument kind, const char* argument) {
  const ResolvedArgument r =
      resolveColumnNames(argument, kind, kFiles, kParameters);
  return r.refusal.empty() ? r.argument : r.refusal;
}

TEST(NameArgsTest, NamesBecomeColumnNumbersOrAreRefused) {
  const struct {
    NamedArgument kind;
    const char* argument;
    const char* expected;
  } cases[] = {
      {kFilter, "energy,gt-5,0,step,energy", "2,gt-5,0,1,2"},
      {kFilter, "energy,gt2,a,lt5,step", "2,gt2,a,lt5,1"},
      {kFilter, "1,gt0,0,2x,-1", "1,gt0,0,2x,-1"},
      {kFilter, "step,gtx,o", "1,gtx,o"},
      {kFilter, "", ""},
      {kSwap, "energy,step,2", "2,1,2"},
      {kSwap, "f,step,step", "2,1,step"},
      {kSwap, "step", "1"},
      {kGroup, "f", "f"},
      {kGroup, "energy", "2"},
      {kSelect, "step,E,3,0,2x", "1,E,3,0,2x"},
      // Whole integers stay numbers, names or not; empty items stay empty.
      {kSelect, "7,,-2", "7,,-2"},
      // Words refused, with the refusal's text.
      {kFilter, "press,gt0", "tabsift: 'press' names two columns, 3 and 4"},
      {kFilter, "1,gt0,0,step,x", "tabsift: 'x' names two columns, 4 and 3"},
      {kFilter, "nope,gt0", "tabsift: no column is named 'nope'"},
      {kSwap, "1,Step", "tabsift: no column is named 'Step'"},
      {kGroup, "energy,x", "tabsift: no column is named 'energy,x'"},
      {kSelect, "step,T", "tabsift: 'T' names both a column and a parameter"},
      {kSelect, "zz", "tabsift: no column or parameter is named 'zz'"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(resolved(c.kind, c.argument), c.expected) << c.argument;
  }
}

}  // namespace
}  // namespace tabsift
