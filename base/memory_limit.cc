#include "base/memory_limit.h"

#include <sys/resource.h>
#include <sys/sysinfo.h>

#include <algorithm>

namespace tabsift {

std::uint64_t memoryLimit() {
  std::uint64_t limit = UINT64_MAX;
  struct sysinfo machine;
  if (::sysinfo(&machine) == 0) {
    limit = (std::uint64_t{machine.totalram} + machine.totalswap) *
            machine.mem_unit;
  }
  for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
    struct rlimit own;
    if (::getrlimit(resource, &own) == 0 && own.rlim_cur != RLIM_INFINITY) {
      limit = std::min<std::uint64_t>(limit, own.rlim_cur);
    }
  }
  return limit;
}

}  // namespace tabsift
