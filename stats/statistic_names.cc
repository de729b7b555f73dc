#include "stats/statistic_names.h"

namespace tabsift {

std::string statisticName(std::string_view item) {
  if (item.size() == 1) {
    switch (item[0]) {
      case 'c': return "count";
      case 's': return "sum";
      case 'a': return "mean";
      case 'm': return "median";
      case 'd': return "sstdev";
      case 'l': return "min";
      case 'h': return "max";
      case 'e': return "sem";
      case 'b': return "bsem";
      default: break;
    }
  }
  return std::string(item);
}

std::vector<std::string> statisticNames(std::string_view request) {
  std::vector<std::string> names;
  while (!request.empty()) {
    const std::size_t comma = request.find(',');
    names.push_back(statisticName(request.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    request.remove_prefix(comma + 1);
  }
  return names;
}

}  // namespace tabsift
