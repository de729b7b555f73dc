#include "table/line_format.h"

#include <cstddef>

namespace tabsift {
namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string> blankFields(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t first = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    if (i > first) fields.emplace_back(line.substr(first, i - first));
  }
  return fields;
}

// The field that starts at line[i] (blanks before it already skipped) up to
// the next delimiter outside quotes; `i` ends on that delimiter or at the end.
std::string delimitedField(std::string_view line, std::size_t& i,
                           char delimiter) {
  std::string field;
  std::size_t kept = 0;  // the field's length without trailing blanks
  while (i < line.size() && line[i] != delimiter) {
    if (line[i] == '"' && field.empty()) {
      // A quoted part: up to the closing quote, "" standing for one quote.
      for (++i; i < line.size(); ++i) {
        if (line[i] == '"' && (i + 1 >= line.size() || line[i + 1] != '"')) {
          ++i;
          break;
        }
        if (line[i] == '"') ++i;
        field += line[i];
      }
      kept = field.size();
      continue;
    }
    field += line[i];
    if (!isBlank(line[i])) kept = field.size();
    ++i;
  }
  field.resize(kept);
  return field;
}

}  // namespace

std::optional<char> delimiterByte(std::string_view argument) {
  if (argument == "tab") return '\t';
  if (argument.size() == 1 &&
      std::string_view(",;|:").find(argument[0]) != std::string_view::npos) {
    return argument[0];
  }
  return std::nullopt;
}

std::vector<std::string> lineFields(std::string_view line,
                                    const LineFormat& format) {
  if (format.delimiter == 0) return blankFields(line);
  std::vector<std::string> fields;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && line[i] != format.delimiter && isBlank(line[i]))
      ++i;
    fields.push_back(delimitedField(line, i, format.delimiter));
    if (i >= line.size()) break;
    ++i;  // the delimiter
  }
  return fields;
}

}  // namespace tabsift
