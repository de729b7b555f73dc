#include "ops/select_args.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace tabsift {
namespace {

std::string describe(const char* argument) {
  auto items = parseSelection(argument);
  if (!items) return "rejected";
  std::string text;
  for (const SelectItem& item : *items) {
    if (!text.empty()) text += ' ';
    if (item.isColumn) {
      text += 'c';
      text += std::to_string(item.column);
    } else {
      text += "p:";
      text += item.name;
    }
  }
  return text;
}

TEST(SelectArgsTest, ItemsInOrderReadAsAtoi) {
  const std::pair<const char*, std::string> cases[] = {
      {"1,2,E", "c0 c1 p:E"}, {"1,1", "c0 c0"},
      {"2x", "c1"},           {"X2", "p:X2"},
      {" T", "p: T"},         {"00", "p:00"},
      {"1,2,", "c0 c1"},      {"-1", 'c' + std::to_string(SIZE_MAX - 1)}};
  for (const auto& [argument, items] : cases) {
    EXPECT_EQ(describe(argument), items) << '"' << argument << '"';
  }
  for (const char* bad : {"0.0", "1,0", ","}) {
    EXPECT_EQ(describe(bad), "rejected") << bad;
  }
}

}  // namespace
}  // namespace tabsift
