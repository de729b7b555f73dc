#include "table/parameter_scan.h"

#include "number/token.h"

namespace tabsift {

std::string_view lastWord(std::string_view head) {
  std::size_t end = head.find_last_not_of(" \t");
  if (end == std::string_view::npos) return {};
  std::size_t before = head.find_last_of(" \t", end);
  std::size_t start = before == std::string_view::npos ? 0 : before + 1;
  return head.substr(start, end + 1 - start);
}

std::vector<ParameterEntry> scanParameters(std::string_view line,
                                           bool decimalComma) {
  std::vector<ParameterEntry> entries;
  std::string_view rest = line;
  for (std::size_t eq = rest.find('='); eq != std::string_view::npos;
       eq = rest.find('=')) {
    std::string_view name = lastWord(rest.substr(0, eq));
    rest.remove_prefix(eq + 1);
    entries.push_back({name, leadingNumber(rest, decimalComma)});
  }
  return entries;
}

}  // namespace tabsift
