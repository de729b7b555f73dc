#include "ops/select_args.h"

#include "ops/lenient_int.h"

namespace tabsift {

std::optional<std::vector<SelectItem>> parseSelection(
    std::string_view argument) {
  std::vector<SelectItem> items;
  std::string_view rest = argument;
  while (!rest.empty()) {
    const std::size_t comma = rest.find(',');
    if (comma == 0) return std::nullopt;
    std::string_view text = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view()
                                           : rest.substr(comma + 1);
    SelectItem item;
    const int number = lenientInt(text);
    if (number != 0) {
      item.isColumn = true;
      item.column = indexFromNumber(number);
    } else {
      if (text == "0" || text.substr(0, 3) == "0.0") return std::nullopt;
      item.name = std::string(text);
    }
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace tabsift
