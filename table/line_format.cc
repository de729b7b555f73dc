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

// The rest of a field after its quoted part, appended to `unquoted` up to
// the delimiter; the blanks at its end are dropped.
void appendAfterQuotes(std::string_view line, std::size_t& i, char delimiter,
                       std::string& unquoted) {
  std::size_t kept = unquoted.size();
  for (; i < line.size() && line[i] != delimiter; ++i) {
    unquoted += line[i];
    if (!isBlank(line[i])) kept = unquoted.size();
  }
  unquoted.resize(kept);
}

// A field that begins with a quote at line[i]: the text up to the closing
// quote, "" standing for one quote, then what follows up to the delimiter.
std::string_view quotedField(std::string_view line, std::size_t& i,
                             char delimiter, std::string& unquoted) {
  unquoted.clear();
  for (++i; i < line.size(); ++i) {
    if (line[i] == '"') {
      if (i + 1 >= line.size() || line[i + 1] != '"') {
        ++i;
        break;
      }
      ++i;
    }
    unquoted += line[i];
  }
  appendAfterQuotes(line, i, delimiter, unquoted);
  return unquoted;
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

std::string_view nextField(std::string_view line, std::size_t& i,
                           char delimiter, std::string& unquoted) {
  while (i < line.size() && line[i] != delimiter && isBlank(line[i])) ++i;
  if (i < line.size() && line[i] == '"') {
    return quotedField(line, i, delimiter, unquoted);
  }
  const std::size_t first = i;
  const std::size_t found = line.find(delimiter, i);
  i = found == std::string_view::npos ? line.size() : found;
  std::size_t last = i;
  while (last > first && isBlank(line[last - 1])) --last;
  return line.substr(first, last - first);
}

std::vector<std::string> lineFields(std::string_view line,
                                    const LineFormat& format) {
  if (format.delimiter == 0) return blankFields(line);
  std::vector<std::string> fields;
  std::string unquoted;
  std::size_t i = 0;
  while (true) {
    fields.emplace_back(nextField(line, i, format.delimiter, unquoted));
    if (i >= line.size()) break;
    ++i;  // the delimiter
  }
  return fields;
}

}  // namespace tabsift
