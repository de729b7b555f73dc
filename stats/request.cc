#include "stats/request.h"

#include "base/check.h"

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
    case 'p': return Statistic::kPercentile;
    case 'b': return Statistic::kBlockedError;
    default: return std::nullopt;
  }
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// Reads "DIGITS[.DIGITS]" from 0 to 100, the whole of `text`.
std::optional<Percent> parsePercent(std::string_view text) {
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view decimals =
      point == std::string_view::npos ? "" : text.substr(point + 1);
  if (whole.empty() || (point != std::string_view::npos && decimals.empty()))
    return std::nullopt;
  for (char c : whole)
    if (!isDigit(c)) return std::nullopt;
  for (char c : decimals)
    if (!isDigit(c)) return std::nullopt;
  while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
  while (!decimals.empty() && decimals.back() == '0') decimals.remove_suffix(1);
  if (whole.size() > 3 || decimals.size() > Percent::kMaxDecimals)
    return std::nullopt;
  Percent percent;
  for (char c : whole) percent.numerator = percent.numerator * 10 + (c - '0');
  if (percent.numerator > 100 ||
      (percent.numerator == 100 && !decimals.empty()))
    return std::nullopt;
  for (char c : decimals) {
    percent.numerator = percent.numerator * 10 + (c - '0');
    ++percent.decimals;
  }
  return percent;
}

}  // namespace

std::uint64_t Percent::denominator() const {
  TABSIFT_ASSERT(decimals >= 0 && decimals <= kMaxDecimals);
  std::uint64_t d = 100;
  for (int i = 0; i < decimals; ++i) d *= 10;
  return d;
}

std::optional<std::vector<RequestItem>> parseCalculateRequest(
    std::string_view request) {
  std::vector<RequestItem> items;
  while (!request.empty()) {
    const std::size_t comma = request.find(',');
    const std::string_view text = request.substr(0, comma);
    std::optional<Statistic> statistic =
        text.empty() ? std::nullopt : statisticOf(text[0]);
    if (!statistic) return std::nullopt;
    RequestItem item{*statistic, {}, std::string(text)};
    if (*statistic == Statistic::kPercentile) {
      std::optional<Percent> percent = parsePercent(text.substr(1));
      if (!percent) return std::nullopt;
      item.percent = *percent;
    } else if (text.size() != 1) {
      return std::nullopt;
    }
    items.push_back(std::move(item));
    request.remove_prefix(comma == std::string_view::npos ? request.size()
                                                          : comma + 1);
  }
  return items;
}

}  // namespace tabsift
