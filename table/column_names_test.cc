// Finding an input's line of names, and the names of the columns as files
// are gathered, cut, numbered and grouped.
#include "table/column_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabsift {
namespace {

// "name/name/... FROM", FROM being "comment" or "line", and " numbers" when
// the names line holds no word.
std::string chosen(const char* comment, const char* line, char delimiter) {
  LineFormat format;
  format.delimiter = delimiter;
  std::optional<std::string_view> before;
  if (comment != nullptr) before = comment;
  const NamesLine found = chooseNamesLine(before, line, format, "--");
  std::string text;
  for (const std::string& name : found.names) {
    text += (text.empty() ? "" : "/") + name;
  }
  text += found.fromComment ? " comment" : " line";
  return text + (found.onlyNumbers ? " numbers" : "");
}

TEST(ColumnNamesTest, NamesLineOfAnInput) {
  const struct {
    const char* comment;  // the line before the first data line, if a comment
    const char* line;     // the first data line
    char delimiter;
    const char* expected;
  } cases[] = {
      {nullptr, "Step Temp E_pair", 0, "Step/Temp/E_pair line"},
      {"# step  energy\r", "0 -1520.31\r", 0, "step/energy comment"},
      {"#step\tenergy", "1e3 nan", 0, "step/energy comment"},
      // A first line holding a word is the names line, whatever comes before.
      {"# step energy", "x 1", 0, "x/1 line"},
      // The comment must be as wide as the data, hold a word and no "=".
      {"# a b c", "1 2", 0, "1/2 line numbers"},
      {"# 1 2", "3 4", 0, "3/4 line numbers"},
      {"# T = 300 K", "1 2 3 4", 0, "1/2/3/4 line numbers"},
      {"#", "5", 0, "5 line numbers"},
      // An absent cell and an empty field are no words.
      {"# a b c", "1 -- 3", 0, "a/b/c comment"},
      {"# a, b ,c", "1,,3", ',', "a/b/c comment"},
      {nullptr, "Total energy,,T", ',', "Total energy//T line"},
      // Words that begin like numbers are numbers.
      {nullptr, "1st 2nd", 0, "1st/2nd line numbers"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(chosen(c.comment, c.line, c.delimiter), c.expected) << c.line;
  }
}

using Files = std::vector<ColumnNames>;

TEST(ColumnNamesTest, GatheredNamesKeepWhatEveryFileAgreesOn) {
  EXPECT_EQ(gatheredNames({{"a", "b"}, {"a", "c"}}), ColumnNames({"a", ""}));
  EXPECT_EQ(gatheredNames({{"a"}, {"a", "b"}}), ColumnNames({"a", "b"}));
  EXPECT_EQ(gatheredNames({{"a"}, {"b"}, {"a"}}), ColumnNames({""}));
  EXPECT_EQ(gatheredNames({{""}, {"a"}}), ColumnNames({""}));
  EXPECT_EQ(gatheredNames(Files{}), ColumnNames());
}

TEST(ColumnNamesTest, NamesFollowTheirColumns) {
  const ColumnNames abc = {"a", "b", "c"};
  EXPECT_EQ(keptNames(abc, {2, 0, 2, 9}), ColumnNames({"c", "a", "c"}));
  EXPECT_EQ(keptNames(abc, {}), abc);
  EXPECT_EQ(numberedNames({"a", "", "b"}, 3), ColumnNames({"a_3", "", "b_3"}));
  const ColumnNames tep = {"T", "E", "P"};
  EXPECT_EQ(groupedNames(tep, 0, 2),
            ColumnNames({"T", "E_1", "P_1", "E_2", "P_2"}));
  EXPECT_EQ(groupedNames(tep, 1, 1), ColumnNames({"E", "T", "P"}));
  EXPECT_EQ(groupedNames({"x"}, 0, 3), ColumnNames({"x"}));
}

}  // namespace
}  // namespace tabsift
