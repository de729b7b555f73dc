// The argument of the grouping: "f" puts the files side by side line by line;
// anything else is a 1-based column number read as atoi reads it ("2x" is 2),
// whose value groups the lines. A reading of 0 or below ("0", "x", "F",
// "-1") is malformed.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tabsift {

struct GroupRequest {
  bool byFiles = false;
  std::size_t column = 0;  // 0-based
};

std::optional<GroupRequest> parseGroupRequest(std::string_view argument);

}  // namespace tabsift
