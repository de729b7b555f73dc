// The calculation request: a comma-separated list of statistic items, such
// as "a,s,m,c", "a,e,l,h" or "p25,p75,b". This reads the request text into
// the statistics to run, in order, before any of them touches the table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabsift {

// One statistic of a calculation request, named by its letter.
enum class Statistic : char {
  kSum = 's',
  kAverage = 'a',
  kMedian = 'm',
  kDeviation = 'd',
  kCount = 'c',
  kLowest = 'l',
  kHighest = 'h',
  kStandardError = 'e',
  kPercentile = 'p',
  kBlockedError = 'b',
};

// The N of a percentile item, exactly: N = numerator / 10^decimals, from 0
// to 100, with no trailing zero among the decimals.
struct Percent {
  static constexpr int kMaxDecimals = 17;
  std::uint64_t numerator = 0;
  int decimals = 0;

  // 100 * 10^decimals: N / 100 is numerator / denominator().
  std::uint64_t denominator() const;
  bool operator==(const Percent&) const = default;
};

// One item of a request: the statistic, its percent for a percentile, and
// the item as written ("p90", "b"), which names the statistic's results.
struct RequestItem {
  Statistic statistic;
  Percent percent;
  std::string text;
};

// The items of `request` in the order written, or nothing when the request
// is malformed. An item is one letter, or "p" and N, a decimal number from
// 0 to 100 (digits, optionally a point and more digits, at most
// Percent::kMaxDecimals of them past the last nonzero one). Items may
// repeat and one trailing comma is accepted; blanks, capitals, empty items
// and items not separated by a comma are not. An empty request asks for
// nothing.
std::optional<std::vector<RequestItem>> parseCalculateRequest(
    std::string_view request);

}  // namespace tabsift
