// The result of one statistic over one scope, as the accumulators give it
// to the scope walker (stats/scope_walk.h).
#pragma once

#include <cstdint>

namespace tabsift {

// A present cell, an absent cell, or an absent cell for a reason the run
// tells once: the value does not fit in an int cell, or the scope is too
// short for the statistic.
template <typename T>
struct Outcome {
  enum Kind { kPresent, kAbsent, kTooLarge, kTooShort };
  Kind kind = kAbsent;
  T value = 0;

  static Outcome present(T v) { return {kPresent, v}; }
  static Outcome absent() { return {kAbsent, 0}; }
  static Outcome tooLarge() { return {kTooLarge, 0}; }
  static Outcome tooShort() { return {kTooShort, 0}; }
  bool operator==(const Outcome&) const = default;
};

enum class ScopeKind { kLine, kColumn };

// An exact integer as an int cell, or too large.
Outcome<int> intOutcome(__int128 x);

// The largest r with r * r <= v.
std::uint64_t integerSquareRoot(unsigned __int128 v);

}  // namespace tabsift
