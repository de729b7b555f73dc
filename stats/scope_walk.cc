#include "stats/scope_walk.h"

#include "base/diagnostics.h"

namespace tabsift {

std::string tooLargeMessage(std::string_view statistic) {
  return std::string(statistic) +
         " does not fit in an int cell; written as absent";
}

std::string tooShortMessage(std::string_view statistic) {
  return std::string(statistic) +
         ": too few values to block; written as absent";
}

void warnIfAbsent(std::string_view statistic, const WalkResult& walk) {
  if (walk.tooLarge > 0) warn(tooLargeMessage(statistic));
  if (walk.tooShort > 0) warn(tooShortMessage(statistic));
}

}  // namespace tabsift
