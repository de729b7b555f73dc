#include "ops/filter_args.h"

#include <cstdlib>
#include <string_view>

#include "number/c_locale.h"
#include "ops/filter_condition.h"
#include "ops/lenient_int.h"

namespace tabsift {
namespace {

// Skips white space, then reads one or two non-blank characters.
std::optional<std::string> scanOperator(const std::string& text,
                                        std::size_t& pos) {
  while (pos < text.size() && isCSpace(text[pos])) ++pos;
  std::size_t start = pos;
  while (pos < text.size() && pos - start < 2 && !isCSpace(text[pos])) ++pos;
  if (pos == start) return std::nullopt;
  return text.substr(start, pos - start);
}

// Reads a floating-point number as strtod does (white space first).
std::optional<double> scanNumber(const std::string& text, std::size_t& pos) {
  if (pos >= text.size()) return std::nullopt;
  const char* start = text.c_str() + pos;
  char* end = nullptr;
  double value = std::strtod(start, &end);
  if (end == start) return std::nullopt;
  pos += static_cast<std::size_t>(end - start);
  return value;
}

// A comma at `pos` followed by a word: the word after skipping white space,
// up to the next white space. Empty when no comma or no word follows.
std::string scanTail(const std::string& text, std::size_t pos) {
  if (pos >= text.size() || text[pos] != ',') return {};
  ++pos;
  while (pos < text.size() && isCSpace(text[pos])) ++pos;
  std::size_t start = pos;
  while (pos < text.size() && !isCSpace(text[pos])) ++pos;
  return text.substr(start, pos - start);
}

// An operator and its threshold, appended to the request when the operator
// is one of the six names.
bool scanCondition(const std::string& text, std::size_t& pos,
                   FilterRequest& request) {
  std::optional<std::string> op = scanOperator(text, pos);
  if (!op) return false;
  std::optional<double> threshold = scanNumber(text, pos);
  if (!threshold || !comparisonFromName(*op)) return false;
  request.ops.push_back(*op);
  request.thresholds.push_back(*threshold);
  return true;
}

}  // namespace

std::optional<FilterRequest> parseFilterRequest(const std::string& argument) {
  FilterRequest request;
  std::size_t pos = 0;
  std::optional<ScannedInt> column = scanInt(argument);
  if (!column) return std::nullopt;
  request.column = column->value;
  pos = column->length;
  if (pos >= argument.size() || argument[pos] != ',') return std::nullopt;
  ++pos;
  if (!scanCondition(argument, pos, request)) return std::nullopt;
  std::string tail = scanTail(argument, pos);

  if (!tail.empty()) {
    request.logic = tail[0];
    if (request.logic == 'o' || request.logic == 'a') {
      std::size_t at = 1;
      if (at >= tail.size() || tail[at] != ',') return std::nullopt;
      ++at;
      if (!scanCondition(tail, at, request)) return std::nullopt;
      tail = scanTail(tail, at);
    } else if (request.logic != '0') {
      return std::nullopt;
    }
  }

  // The column list; after "0" the 0 itself is its first entry.
  while (!tail.empty()) {
    std::optional<ScannedInt> entry = scanInt(tail);
    if (!entry) return std::nullopt;
    request.keepColumns.push_back(entry->value);
    tail = scanTail(tail, entry->length);
  }
  return request;
}

}  // namespace tabsift
