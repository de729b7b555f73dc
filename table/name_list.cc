#include "table/name_list.h"

namespace tabsift {

std::vector<std::string> splitNameList(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    std::size_t comma = list.find(',');
    names.emplace_back(list.substr(0, comma));
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return names;
}

}  // namespace tabsift
