#include "output/run_header.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace tabsift {

std::string asctimeText(const std::tm& tm) {
  static const char kDays[7][4] = {"Sun", "Mon", "Tue", "Wed",
                                   "Thu", "Fri", "Sat"};
  static const char kMonths[12][4] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const bool known =
      tm.tm_wday >= 0 && tm.tm_wday < 7 && tm.tm_mon >= 0 && tm.tm_mon < 12;
  char text[96];
  std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %lld\n",
                known ? kDays[tm.tm_wday] : "???",
                known ? kMonths[tm.tm_mon] : "???", tm.tm_mday, tm.tm_hour,
                tm.tm_min, tm.tm_sec, 1900LL + tm.tm_year);
  return text;
}

std::optional<std::time_t> sourceDateEpoch(const char* value) {
  if (value == nullptr) return std::nullopt;
  const char* digits = *value == '-' ? value + 1 : value;
  if (*digits < '0' || *digits > '9') return std::nullopt;
  for (const char* p = digits; *p != '\0'; ++p) {
    if (*p < '0' || *p > '9') return std::nullopt;
  }
  errno = 0;
  char* end = nullptr;
  const long long seconds = std::strtoll(value, &end, 10);
  if (errno == ERANGE) return std::nullopt;
  const std::time_t moment = static_cast<std::time_t>(seconds);
  if (static_cast<long long>(moment) != seconds) return std::nullopt;
  return moment;
}

std::string runDateText(const char* sourceDateEpochValue, std::time_t now) {
  std::tm tm{};
  if (const auto fixed = sourceDateEpoch(sourceDateEpochValue)) {
    if (gmtime_r(&*fixed, &tm) != nullptr) return asctimeText(tm);
  }
  if (localtime_r(&now, &tm) != nullptr) return asctimeText(tm);
  return "\n";
}

std::string oneLineText(std::string_view text) {
  if (text.find('\n') == std::string_view::npos) return std::string(text);
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (text[i] == '\n') {
      line += "\\n";
    } else if (text[i] == '\\' &&
               (next == 'n' || next == '\\' || next == '\n')) {
      line += "\\\\";
    } else {
      line += text[i];
    }
  }
  return line;
}

std::string mergeHeaderText(const std::vector<std::string>& inputFiles) {
  std::string text = "# Data from files: ";
  for (std::size_t i = 0; i < inputFiles.size(); ++i) {
    text += inputFiles[i];
    if (i + 1 < inputFiles.size()) text += ',';
    text += ' ';
  }
  return text;
}

}  // namespace tabsift
