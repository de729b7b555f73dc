#include "ops/group_args.h"

#include "ops/lenient_int.h"

namespace tabsift {

std::optional<GroupRequest> parseGroupRequest(std::string_view argument) {
  GroupRequest request;
  if (argument == "f") {
    request.byFiles = true;
    return request;
  }
  const int number = lenientInt(argument);
  if (number <= 0) return std::nullopt;
  request.column = indexFromNumber(number);
  return request;
}

}  // namespace tabsift
