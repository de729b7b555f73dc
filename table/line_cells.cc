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

// Appends the cell of a token that was cut out of its line, noting it in
// `partial` when its number took only part of it.
template <typename T>
void appendTokenCell(std::string_view token, bool decimalComma,
                     std::vector<Cell<T>>& cells, std::size_t& invalid,
                     PartialToken* partial) {
  std::size_t length = 0;
  const std::optional<T> number = tokenToCell<T>(token, &length, decimalComma);
  if (number && length < token.size() && partial != nullptr &&
      !partial->found) {
    partial->found = true;
    partial->token.assign(token);
    partial->length = length;
    partial->column = cells.size();
  }
  cells.push_back(cellOf(number, invalid));
}

// Blanks and tabs around a field (and the CR of a CR LF line end).
inline bool isFieldBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

// The end of a field at p that holds a short decimal alone, between blanks,
// up to the delimiter or the end of the line; nullptr for any other field.
inline const char* readShortField(const char* p, const char* end,
                                  char delimiter, double* number) {
  while (p < end && *p != delimiter && isFieldBlank(*p)) ++p;
  if (p == end || *p == '"') return nullptr;
  const char* stop = readShortDecimal(p, end, number);
  if (stop == nullptr) return nullptr;
  while (stop < end && *stop != delimiter && isFieldBlank(*stop)) ++stop;
  return stop == end || *stop == delimiter ? stop : nullptr;
}

template <typename T>
std::size_t appendDelimitedCells(std::string_view line,
                                 const LineFormat& format,
                                 std::vector<Cell<T>>& cells,
                                 PartialToken* partial, std::string& unquoted) {
  const char delimiter = format.delimiter;
  const char* const begin = line.data();
  const char* const end = begin + line.size();
  std::size_t invalid = 0;
  std::size_t i = 0;
  while (true) {
    // Most fields are short decimals, read where they stand; any other
    // field is first cut out (and unquoted) and then read as a whole.
    double number;
    const char* stop = format.decimalComma
                           ? nullptr
                           : readShortField(begin + i, end, delimiter, &number);
    if (stop != nullptr) {
      cells.push_back(cellOf(cellFromDouble<T>(number), invalid));
      i = static_cast<std::size_t>(stop - begin);
    } else {
      const std::string_view field = nextField(line, i, delimiter, unquoted);
      if (field.empty()) {
        cells.push_back(Cell<T>());
      } else {
        appendTokenCell(field, format.decimalComma, cells, invalid, partial);
      }
    }
    if (i >= line.size()) break;
    ++i;  // the delimiter
  }
  return invalid;
}

// The cells of a line split at runs of blanks. With `DecimalComma` no
// token is a short decimal, since a point is then no decimal point.
template <typename T, bool DecimalComma>
std::size_t appendBlankSeparatedCells(std::string_view line,
                                      std::vector<Cell<T>>& cells,
                                      PartialToken* partial) {
  std::size_t invalid = 0;
  const char* p = line.data();
  const char* const end = p + line.size();
  while (p < end && isDataDelimiter(*p)) ++p;
  while (p < end) {
    // Most tokens are short decimals: reading one finds the token's end too,
    // when the number stops at a delimiter. Any other token is first cut out
    // and then read as a whole.
    double number;
    const char* stop =
        DecimalComma ? nullptr : readShortDecimal(p, end, &number);
    if (stop != nullptr && (stop == end || isDataDelimiter(*stop))) {
      cells.push_back(cellOf(cellFromDouble<T>(number), invalid));
      p = stop;
    } else {
      const char* const first = p;
      while (p < end && !isDataDelimiter(*p)) ++p;
      const std::string_view token(first, static_cast<std::size_t>(p - first));
      appendTokenCell(token, DecimalComma, cells, invalid, partial);
    }
    while (p < end && isDataDelimiter(*p)) ++p;
  }
  return invalid;
}

}  // namespace

template <typename T>
std::size_t appendLineCells(std::string_view line, std::vector<Cell<T>>& cells,
                            PartialToken* partial) {
  return appendBlankSeparatedCells<T, false>(line, cells, partial);
}

template <typename T>
std::size_t appendFormattedCells(std::string_view line,
                                 const LineFormat& format,
                                 std::vector<Cell<T>>& cells,
                                 PartialToken* partial, std::string& unquoted) {
  if (format.delimiter != 0) {
    return appendDelimitedCells(line, format, cells, partial, unquoted);
  }
  return format.decimalComma
             ? appendBlankSeparatedCells<T, true>(line, cells, partial)
             : appendBlankSeparatedCells<T, false>(line, cells, partial);
}

TABSIFT_LINE_CELLS(int, )
TABSIFT_LINE_CELLS(float, )
TABSIFT_LINE_CELLS(double, )

}  // namespace tabsift
