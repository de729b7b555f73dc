#include "stats/accumulators.h"

#include <climits>

namespace tabsift {

Outcome<int> intOutcome(__int128 x) {
  if (x < INT_MIN || x > INT_MAX) return Outcome<int>::tooLarge();
  return Outcome<int>::present(static_cast<int>(x));
}

std::uint64_t integerSquareRoot(unsigned __int128 v) {
  const long double guess = std::sqrt(static_cast<long double>(v));
  std::uint64_t r = guess >= 18446744073709551615.0L
                        ? UINT64_MAX
                        : static_cast<std::uint64_t>(guess);
  auto square = [](std::uint64_t x) {
    return static_cast<unsigned __int128>(x) * x;
  };
  while (square(r) > v) --r;
  while (r != UINT64_MAX && square(r + 1) <= v) ++r;
  return r;
}

Outcome<int> intSampleDeviation(__int128 sum, unsigned __int128 squares,
                                std::size_t n, bool ofAverage) {
  if (n < 2) return Outcome<int>::absent();
  if (n >= (std::size_t{1} << 32)) {
    // Beyond exact 128-bit reach; the long double formula is close enough
    // for a scope of more than four billion values.
    const long double count = static_cast<long double>(n);
    const long double total = static_cast<long double>(sum);
    long double variance =
        (static_cast<long double>(squares) - total * total / count) /
        (count - 1);
    if (variance < 0) variance = 0;
    if (ofAverage) variance /= count;
    const long double root = std::trunc(std::sqrt(variance));
    if (root > INT_MAX) return Outcome<int>::tooLarge();
    return Outcome<int>::present(static_cast<int>(root));
  }
  // (n * sum of squares - sum^2) / (n (n - 1)) is the exact variance, and n
  // times that denominator gives the variance of the average; it is never
  // negative, and the truncated root of its integer part is the truncated
  // root of the variance.
  const unsigned __int128 magnitude =
      static_cast<unsigned __int128>(sum < 0 ? -sum : sum);
  const unsigned __int128 numerator = n * squares - magnitude * magnitude;
  unsigned __int128 denominator = static_cast<unsigned __int128>(n) * (n - 1);
  if (ofAverage) denominator *= n;
  return intOutcome(integerSquareRoot(numerator / denominator));
}

}  // namespace tabsift
