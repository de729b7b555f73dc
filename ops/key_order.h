// The order of group keys: ascending by ordinary less-than, with every NaN
// after every number and all NaNs one key, so that the order stays a strict
// weak order whatever the table holds. -0 and 0 are one key.
#pragma once

#include <cmath>
#include <type_traits>

namespace tabsift {

struct KeyLess {
  template <typename T>
  bool operator()(T a, T b) const {
    if constexpr (std::is_floating_point_v<T>) {
      if (std::isnan(a)) return false;
      if (std::isnan(b)) return true;
    }
    return a < b;
  }
};

}  // namespace tabsift
