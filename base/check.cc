#include "base/check.h"

#if defined(TABSIFT_CHECKED)

#include <cstdio>
#include <cstdlib>

namespace tabsift {

void assertionFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "tabsift: %s:%d: assumption failed: %s\n", file, line,
               condition);
  std::abort();
}

}  // namespace tabsift

#endif
