#include "stats/scope_walk.h"

#include "base/diagnostics.h"

namespace tabsift {

std::string tooLargeMessage(std::string_view statistic) {
  return std::string(statistic) +
         " does not fit in an int cell; written as absent";
}

void warnIfTooLarge(std::string_view statistic, const WalkResult& walk) {
  if (walk.tooLarge > 0) warn(tooLargeMessage(statistic));
}

}  // namespace tabsift
