// What a run writes besides its tables. The date line falls back to the
// run's local time unless SOURCE_DATE_EPOCH holds a whole decimal integer;
// the fixed dates are in the end-to-end table, and so are the comment modes.
// An input without comment lines recorded (standard input) must still write
// none.
#include "output/run_header.h"

#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

#include "table/data_operations.h"

namespace {

TEST(RunHeader, SourceDateEpochTakesWholeIntegersOnlyElseLocalNow) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::string expected = tabsift::asctimeText(local);
  const char* const unset = nullptr;
  for (const char* bad : {unset, "", "-", "+5", " 5", "5 ", "12abc", "1e9",
                          "0x10", "99999999999999999999999", "yesterday"})
    EXPECT_EQ(tabsift::runDateText(bad, now), expected)
        << "'" << (bad ? bad : "(unset)") << "'";
}

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
