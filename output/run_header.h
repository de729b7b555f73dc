// Pieces of the run header that heads the output: the date line, the list
// of input files of a merged run, and the escaping that keeps the command
// line and that list on one line each.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabsift {

// The 24 characters and the newline of the C library's asctime() for `tm`,
// for example "Mon Jan  7 09:05:03 2013\n". Years beyond four digits are
// written in full instead of being undefined.
std::string asctimeText(const std::tm& tm);

// The moment named by the environment variable SOURCE_DATE_EPOCH (its value,
// or null when unset): seconds since 1970 when the whole text is a decimal
// integer with an optional leading "-"; nothing otherwise.
std::optional<std::time_t> sourceDateEpoch(const char* value);

// The date of the run header, asctime's form: the moment of
// SOURCE_DATE_EPOCH in UTC when it holds an integer (reproducible output),
// otherwise `now` in local time.
std::string runDateText(const char* sourceDateEpochValue, std::time_t now);

// `text` on one line: unchanged when it holds no newline; otherwise every
// newline written as the two characters "\n", and a backslash doubled where
// it comes before an "n", a backslash or a newline, so that reading "\n" as
// a newline and "\\" as a backslash gives `text` back.
std::string oneLineText(std::string_view text);

// "# Data from files: " and each name, every one but the last followed by
// ",", and every one followed by " ".
std::string mergeHeaderText(const std::vector<std::string>& inputFiles);

}  // namespace tabsift
