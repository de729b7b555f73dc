// The argument of the selection, e.g. "1,2,E": a comma list whose items are
// 1-based column numbers (read as atoi reads them, so "2x" is column 2) or
// parameter names (items that read as 0, like "E" or "X2"). Empty items and
// the items "0" and "0.0..." are malformed; a trailing comma adds nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabsift {

struct SelectItem {
  bool isColumn = false;
  std::size_t column = 0;  // 0-based, for a column item
  std::string name;        // the parameter name, for a parameter item
};

// The items in argument order; nothing when the argument is malformed. Whether
// a parameter name exists is for the caller to check.
std::optional<std::vector<SelectItem>> parseSelection(
    std::string_view argument);

}  // namespace tabsift
