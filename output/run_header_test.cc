// The run header: the date line and the escaped command line.
#include "output/run_header.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <utility>

#include "table/data_operations.h"

namespace {

// One hour east of UTC: the fixed date is in UTC, the fallback local.
TEST(RunHeader, SourceDateEpochTakesWholeIntegersOnlyElseLocalNow) {
  const char* const zone = std::getenv("TZ");
  const std::string savedZone = zone ? zone : "";
  ::setenv("TZ", "CET-1", 1);
  ::tzset();
  const std::time_t now = 1700000000;
  EXPECT_EQ(tabsift::runDateText("1700000000", now),
            "Tue Nov 14 22:13:20 2023\n");
  const char* const unset = nullptr;
  for (const char* bad : {unset, "", "-", "+5", " 5", "5 ", "12abc", "1e9",
                          "0x10", "99999999999999999999999", "yesterday"})
    EXPECT_EQ(tabsift::runDateText(bad, now), "Tue Nov 14 23:13:20 2023\n")
        << "'" << (bad ? bad : "(unset)") << "'";
  if (zone) {
    ::setenv("TZ", savedZone.c_str(), 1);
  } else {
    ::unsetenv("TZ");
  }
  ::tzset();
}

// Reading "\n" as a newline and "\\" as a backslash gives the text back.
TEST(RunHeader, OneLineTextEscapesOnlyWithANewline) {
  const std::pair<std::string, std::string> cases[] = {
      {"t -b a\\nb\\ ", "t -b a\\nb\\ "},  // no newline: unchanged
      {"x\ny", "x\\ny"},
      {"a\n\n", "a\\n\\n"},
      {"\\n\n", "\\\\n\\n"},
      {"\\\\n\n", "\\\\\\\\n\\n"},
      {"\\\n", "\\\\\\n"},
      {"\n\\x\\", "\\n\\x\\"}};
  for (const auto& [text, line] : cases)
    EXPECT_EQ(tabsift::oneLineText(text), line) << text;
}

// An input without comment lines recorded (standard input) writes none.
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
