// Comment lines scanned for name = value pairs.
#include "table/parameter_scan.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tabsift {
namespace {

using Entries = std::vector<std::pair<std::string, std::optional<double>>>;

Entries scan(std::string_view line) {
  Entries out;
  for (const ParameterEntry& e : scanParameters(line))
    out.emplace_back(e.name, e.value);
  return out;
}

TEST(ParameterScanTest, NamesAndValues) {
  const std::pair<const char*, Entries> cases[] = {
      {"#T=300", {{"#T", 300}}},
      {"# Run 7: T = 300", {{"T", 300}}},
      {"#\tT\t\t=\t1", {{"T", 1}}},
      {"=5", {{"", 5}}},
      {"#   = 5", {{"#", 5}}},
      {" \t = 5", {{"", 5}}},
      {"# T = 300 P = 1.5", {{"T", 300}, {"P", 1.5}}},
      {"# T = 300 K", {{"T", 300}}},
      {"# a == 1", {{"a", std::nullopt}, {"", 1}}},
      {"# no parameters here", {}},
      {"\r\n", {}},
      {"# N = 0\r", {{"N", 0}}},
      {"# N = zero", {{"N", std::nullopt}}},
      {"# x =   \r", {{"x", std::nullopt}}},
      {"# h = 0x10 e = 1e3", {{"h", 16}, {"e", 1000}}},
      {"# dt = 1.0D-03 x = 2.5-3 K", {{"dt", 0.001}, {"x", 0.0025}}},
      {"# r = 2.5-3.5 y = 2.5-3,", {{"r", 2.5}, {"y", 2.5}}}};
  for (const auto& [line, entries] : cases)
    EXPECT_EQ(scan(line), entries) << line;
}

}  // namespace
}  // namespace tabsift
