// The argument of the row filter, e.g. "3,le-0.5,0,1,3" or "2,ge0,a,lt10,2":
// a 1-based column number, one condition (operator and threshold), and an
// optional tail: "0" followed by a column list, or "o"/"a", a second
// condition and a column list. The grammar is that of the scans
// "%d,%2s%lf,%s" and "%*c,%2s%lf,%s", written out by hand so that tails of
// any length are accepted.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tabsift {

struct FilterRequest {
  int column = 0;                  // 1-based, as written
  std::vector<std::string> ops;    // one or two operator names
  std::vector<double> thresholds;  // parallel to ops
  char logic = '0';                // '0' one condition, 'o' either, 'a' both
  std::vector<int> keepColumns;    // 1-based, as written; empty keeps all
};

// Parses a filter argument; nothing when it is malformed (the caller reports
// "Wrong filtr argument"). Column numbers beyond the int range saturate.
std::optional<FilterRequest> parseFilterRequest(const std::string& argument);

}  // namespace tabsift
