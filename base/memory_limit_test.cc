// What a run can get is bounded by its address space and its data.
#include "base/memory_limit.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>

namespace tabsift {
namespace {

TEST(MemoryLimit, EachProcessLimitBoundsIt) {
  for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
    struct rlimit saved;
    ASSERT_EQ(::getrlimit(resource, &saved), 0);
    struct rlimit lowered = saved;
    lowered.rlim_cur = std::min<rlim_t>(saved.rlim_max, 300000000);
    // Nothing is allocated while the limit is lowered.
    ASSERT_EQ(::setrlimit(resource, &lowered), 0);
    const std::uint64_t limit = memoryLimit();
    ASSERT_EQ(::setrlimit(resource, &saved), 0);
    EXPECT_EQ(limit, lowered.rlim_cur) << resource;
  }
}

}  // namespace
}  // namespace tabsift
