#include "output/run_header.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

using tabsift::asctimeText;
using tabsift::runDateText;

TEST(RunHeader, AsctimeFormBeyondYear9999) {
  std::tm tm{};
  tm.tm_year = 10000 - 1900;  // asctime() itself is undefined here
  tm.tm_mday = 7;
  tm.tm_wday = 1;
  tm.tm_hour = 9;
  tm.tm_min = 5;
  tm.tm_sec = 3;
  EXPECT_EQ(asctimeText(tm), "Mon Jan  7 09:05:03 10000\n");
}

TEST(RunHeader, SourceDateEpochTakesWholeIntegersOnlyElseLocalNow) {
  EXPECT_EQ(runDateText("-86400", 0), "Wed Dec 31 00:00:00 1969\n");
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  for (const char* bad : {"", "-", "+5", " 5", "5 ", "12abc", "1e9", "0x10",
                          "99999999999999999999999", "yesterday"}) {
    EXPECT_EQ(runDateText(bad, now), asctimeText(local)) << "'" << bad << "'";
  }
  EXPECT_EQ(runDateText(nullptr, now), asctimeText(local));
}

}  // namespace
