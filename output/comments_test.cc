// The end-to-end tables show the comment modes; an input without comment
// lines recorded (standard input) must still write none.
#include <gtest/gtest.h>

#include <sstream>

#include "table/data_operations.h"

namespace {

TEST(Comments, NoSuchInputWritesNothing) {
  DataOperations<float> store;
  store.comments("all");
  store.commentLines = {{"# one"}};
  std::ostringstream out;
  store.commIn(&out, 1);
  store.commIn(&out, 7);
  EXPECT_EQ(out.str(), "");
}

}  // namespace
