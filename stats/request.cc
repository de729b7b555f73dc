#include "stats/request.h"

namespace tabsift {
namespace {

std::optional<Statistic> statisticOf(char letter) {
  switch (letter) {
    case 's': return Statistic::kSum;
    case 'a': return Statistic::kAverage;
    case 'm': return Statistic::kMedian;
    case 'd': return Statistic::kDeviation;
    case 'c': return Statistic::kCount;
    case 'l': return Statistic::kLowest;
    case 'h': return Statistic::kHighest;
    case 'e': return Statistic::kStandardError;
    default: return std::nullopt;
  }
}

}  // namespace

std::optional<std::vector<Statistic>> parseCalculateRequest(
    std::string_view request) {
  std::vector<Statistic> letters;
  while (!request.empty()) {
    std::optional<Statistic> statistic = statisticOf(request[0]);
    if (!statistic) return std::nullopt;
    letters.push_back(*statistic);
    if (request.size() == 1) break;
    if (request[1] != ',') return std::nullopt;
    request.remove_prefix(2);
  }
  return letters;
}

}  // namespace tabsift
