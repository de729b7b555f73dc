#include "table/line_cells.h"

#include <optional>

#include "number/cell_convert.h"
#include "number/token.h"

namespace tabsift {
namespace {

template <typename T>
Cell<T> cellOf(std::optional<T> number, std::size_t& invalid) {
  if (number) return Cell<T>(*number);
  ++invalid;
  return Cell<T>();
}

}  // namespace

template <typename T>
std::size_t appendLineCells(std::string_view line,
                            std::vector<Cell<T>>& cells) {
  std::size_t invalid = 0;
  const char* p = line.data();
  const char* const end = p + line.size();
  while (p < end && isDataDelimiter(*p)) ++p;
  while (p < end) {
    // Most tokens are short decimals: reading one finds the token's end too,
    // when the number stops at a delimiter. Any other token is first cut out
    // and then read as a whole.
    double number;
    const char* stop = readShortDecimal(p, end, &number);
    if (stop != nullptr && (stop == end || isDataDelimiter(*stop))) {
      cells.push_back(cellOf(cellFromDouble<T>(number), invalid));
      p = stop;
    } else {
      const char* const first = p;
      while (p < end && !isDataDelimiter(*p)) ++p;
      const std::string_view token(first, static_cast<std::size_t>(p - first));
      cells.push_back(cellOf(tokenToCell<T>(token), invalid));
    }
    while (p < end && isDataDelimiter(*p)) ++p;
  }
  return invalid;
}

template std::size_t appendLineCells<int>(std::string_view,
                                          std::vector<Cell<int>>&);
template std::size_t appendLineCells<float>(std::string_view,
                                            std::vector<Cell<float>>&);
template std::size_t appendLineCells<double>(std::string_view,
                                             std::vector<Cell<double>>&);

}  // namespace tabsift
