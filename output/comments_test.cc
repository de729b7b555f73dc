#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "table/data_operations.h"
#include "table/diagnostics.h"

namespace {

using Store = DataOperations<float>;

const char kHeader[] = "#tabsift -i a,b \n#Thu Jan  1 00:00:00 1970\n\n";

class Comments : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SOURCE_DATE_EPOCH", "0", 1);
    s.command = "tabsift -i a,b ";
    s.inputFiles = {"a", "b"};
    s.commentLines = {{"# one", "# two\r"}, {"\r\n"}};
  }
  std::string in(int k) {
    std::ostringstream out;
    s.commIn(&out, k);
    return out.str();
  }
  std::string joined() {
    std::ostringstream out;
    s.commOut(&out);
    return out.str();
  }
  Store s;
};

TEST_F(Comments, OtherModeArgumentsEndTheRun) {
  for (const char* bad : {"Off", "ALL", "0", "2", ""}) {
    EXPECT_THROW(s.comments(bad), tabsift::ArgumentRejected)
        << bad;
  }
}

TEST_F(Comments, NoSuchInputWritesNothing) {
  s.commentMode = 2;
  EXPECT_EQ(in(7), "");
}

TEST_F(Comments, JoinedLayoutWritesEverythingOnceAtTheTop) {
  s.joinFlag = true;
  s.mergeFlag = true;
  s.commentMode = 2;
  EXPECT_EQ(in(0), "");
  EXPECT_EQ(joined(), std::string(kHeader) +
                          "# Data from files: a, b \n# one\n# two\r\n\r\n\n");
}

}  // namespace
