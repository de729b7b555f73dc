// Splitting a line into its fields, with and without a delimiter.
#include "table/line_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabsift {
namespace {

using Fields = std::vector<std::string>;

TEST(LineFormatTest, DelimiterArguments) {
  EXPECT_EQ(delimiterByte(","), ',');
  EXPECT_EQ(delimiterByte(";"), ';');
  EXPECT_EQ(delimiterByte("|"), '|');
  EXPECT_EQ(delimiterByte(":"), ':');
  EXPECT_EQ(delimiterByte("tab"), '\t');
  for (const char* refused : {"", " ", ",,", "TAB", "\t", "x", ".", "#"}) {
    EXPECT_FALSE(delimiterByte(refused)) << '"' << refused << '"';
  }
}

TEST(LineFormatTest, FieldsOfLines) {
  const struct {
    char delimiter;
    std::string line;
    Fields fields;
  } cases[] = {
      {0, " step\tenergy  press\r", {"step", "energy", "press"}},
      {0, "", {}},
      {',', "a,b,c", {"a", "b", "c"}},
      {',', " a , b\t,c \r", {"a", "b", "c"}},
      {',', "1,,3,", {"1", "", "3", ""}},
      {',', "", {""}},
      {',', "\"x, y\",\"say \"\"hi\"\"\" ,z", {"x, y", "say \"hi\"", "z"}},
      {',', "\" padded \" ,\"\"", {" padded ", ""}},
      {',', "\"unclosed, still one", {"unclosed, still one"}},
      {';', "1,5;2,25", {"1,5", "2,25"}},
      {'\t', "a b\t c\t", {"a b", "c", ""}},
  };
  for (const auto& c : cases) {
    LineFormat format;
    format.delimiter = c.delimiter;
    EXPECT_EQ(lineFields(c.line, format), c.fields) << c.line;
  }
}

}  // namespace
}  // namespace tabsift
