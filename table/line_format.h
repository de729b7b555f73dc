// How the data lines of the inputs are written: cells separated by runs of
// blanks and tabs (the default), or by one chosen byte as in CSV files, and
// the decimal separator of their numbers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabsift {

struct LineFormat {
  // 0: fields are separated by runs of blanks, tabs and carriage returns;
  // otherwise the one byte between two fields (',', ';', '|', ':', '\t').
  char delimiter = 0;
  // Whether a comma inside a number is its decimal point ("1,5" is 1.5).
  bool decimalComma = false;
};

// The byte that a delimiter argument names: ",", ";", "|", ":" or the word
// "tab"; nothing for any other text.
std::optional<char> delimiterByte(std::string_view argument);

// The fields of one line, as texts. Without a delimiter, the runs of bytes
// between blanks, tabs and carriage returns. With one, the texts between
// delimiter bytes, each without the blanks, tabs and carriage returns around
// it; a field in double quotes is unquoted ("" inside stands for one quote)
// and may hold the delimiter; an empty field is an empty text.
std::vector<std::string> lineFields(std::string_view line,
                                    const LineFormat& format);

// The field of a line split at `delimiter` (not 0) that starts at line[i],
// as lineFields gives it; `i` ends on the delimiter after the field, or at
// the end of the line. The text is a view into the line, or into
// `unquoted` when the field begins with a quote.
std::string_view nextField(std::string_view line, std::size_t& i,
                           char delimiter, std::string& unquoted);

}  // namespace tabsift
