// The names that line statistics give their cells in a table with named
// columns (--header).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tabsift {

// The name of the statistic of one item of a calculation request: count,
// sum, mean, median, sstdev, min, max, sem, bsem for the letters c, s, a, m,
// d, l, h, e, b; any other item (a percentile such as "p90") is named as it
// is written.
std::string statisticName(std::string_view item);

// The names of the statistics of a well-formed request, in order: its items
// between commas (a trailing comma adds none).
std::vector<std::string> statisticNames(std::string_view request);

}  // namespace tabsift
