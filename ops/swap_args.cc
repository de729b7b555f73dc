#include "ops/swap_args.h"

#include "ops/lenient_int.h"

namespace tabsift {

SwapRequest parseSwapRequest(std::string_view argument) {
  const std::size_t first = argument.find(',');
  const std::size_t last = argument.rfind(',');
  SwapRequest request;
  request.columnA = indexFromNumber(lenientInt(argument));
  request.columnB = indexFromNumber(lenientInt(
      first == std::string_view::npos ? argument : argument.substr(first + 1)));
  request.file = indexFromNumber(lenientInt(
      last == std::string_view::npos ? argument : argument.substr(last + 1)));
  request.oneFile = first != last;
  return request;
}

}  // namespace tabsift
