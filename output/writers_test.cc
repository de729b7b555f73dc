#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table/data_operations.h"

namespace {

TEST(Writers, SetOutputFilesSplitsTheList) {
  DataOperations<double> s;
  s.setOutputFiles("a, b,,c,");
  EXPECT_EQ(s.outputFiles, (std::vector<std::string>{"a", " b", "", "c"}));
}

}  // namespace
