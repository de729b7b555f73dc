// The calculation request: a comma-separated list of statistic letters, such
// as "a,s,m,c" or "a,e,l,h". This reads the request text into the statistics
// to run, in order, before any of them touches the table.
#pragma once

#include <optional>
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
};

// The statistics of `request` in the order written, or nothing when the
// request is malformed. Letters may repeat and one trailing comma is
// accepted; blanks, capitals, empty items and letters not separated by a
// comma are not. An empty request asks for nothing.
std::optional<std::vector<Statistic>> parseCalculateRequest(
    std::string_view request);

}  // namespace tabsift
