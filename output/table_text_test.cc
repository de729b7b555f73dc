// How column names are written in the line of names of a table.
#include "output/table_text.h"

#include <gtest/gtest.h>

namespace tabsift {
namespace {

TEST(TableTextTest, ColumnNameTexts) {
  EXPECT_EQ(columnNameText("E_pair", 2), "E_pair");
  EXPECT_EQ(columnNameText("", 3), "c3");
  EXPECT_EQ(columnNameText("Total energy\t(eV)\r\n", 1), "Total_energy_(eV)__");
}

}  // namespace
}  // namespace tabsift
