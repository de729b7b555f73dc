// The number formatter must give a standard output stream's bytes exactly.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <sstream>
#include <string>

#include "number/number_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes,
                                      std::size_t size) {
  if (size < sizeof(double) + 1) return 0;
  double value;
  std::memcpy(&value, bytes, sizeof value);
  // Precisions up to 40 are the common ones; a few bytes reach far beyond.
  int precision = static_cast<std::int8_t>(bytes[sizeof value]) % 41;
  if (size > sizeof value + 2) precision += bytes[sizeof value + 1] * 4;
  std::ostringstream stream;
  if (precision >= 1) stream << std::showpoint << std::setprecision(precision);
  stream << value;
  if (tabsift::numberToString(value, precision) != stream.str()) std::abort();
  return 0;
}
