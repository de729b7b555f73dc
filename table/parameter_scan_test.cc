#include "table/parameter_scan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace tabsift {
namespace {

using Entries = std::vector<std::pair<std::string, std::optional<double>>>;

Entries scan(std::string_view line) {
  Entries out;
  for (const ParameterEntry& e : scanParameters(line)) {
    out.emplace_back(std::string(e.name), e.value);
  }
  return out;
}

TEST(ParameterScanTest, NameIsTheLastWordBeforeTheEqualsSign) {
  EXPECT_EQ(scan("# T = 300"), (Entries{{"T", 300}}));
  EXPECT_EQ(scan("# T=300"), (Entries{{"T", 300}}));
  EXPECT_EQ(scan("#T=300"), (Entries{{"#T", 300}}));
  EXPECT_EQ(scan("# Run 7: T = 300"), (Entries{{"T", 300}}));
  EXPECT_EQ(scan("#\tT\t\t=\t1"), (Entries{{"T", 1}}));
  EXPECT_EQ(scan("=5"), (Entries{{"", 5}}));
  EXPECT_EQ(scan("#   = 5"), (Entries{{"#", 5}}));
  EXPECT_EQ(scan(" \t = 5"), (Entries{{"", 5}}));
}

TEST(ParameterScanTest, SeveralParametersAndTrailingText) {
  EXPECT_EQ(scan("# T = 300 P = 1.5"), (Entries{{"T", 300}, {"P", 1.5}}));
  EXPECT_EQ(scan("# T = 300 K"), (Entries{{"T", 300}}));
  EXPECT_EQ(scan("# N = 0 M = 1"), (Entries{{"N", 0}, {"M", 1}}));
  EXPECT_EQ(scan("# a == 1"), (Entries{{"a", std::nullopt}, {"", 1}}));
  EXPECT_EQ(scan("# no parameters here"), Entries{});
  EXPECT_EQ(scan("\r\n"), Entries{});
}

TEST(ParameterScanTest, ValueIsValidWhenTextStartsWithANumber) {
  EXPECT_EQ(scan("# N = 0"), (Entries{{"N", 0}}));
  EXPECT_EQ(scan("# N = 0.0"), (Entries{{"N", 0}}));
  EXPECT_EQ(scan("# N = 0\r"), (Entries{{"N", 0}}));
  EXPECT_EQ(scan("# N = -0"), (Entries{{"N", 0}}));
  EXPECT_TRUE(std::signbit(*scanParameters("# N = -0")[0].value));
  EXPECT_EQ(scan("# N = zero"), (Entries{{"N", std::nullopt}}));
  EXPECT_EQ(scan("# x ="), (Entries{{"x", std::nullopt}}));
  EXPECT_EQ(scan("# x =   \r"), (Entries{{"x", std::nullopt}}));
  EXPECT_EQ(scan("# h = 0x10 e = 1e3"), (Entries{{"h", 16}, {"e", 1000}}));
  EXPECT_TRUE(std::isnan(*scanParameters("# q = nan")[0].value));
}

}  // namespace
}  // namespace tabsift
