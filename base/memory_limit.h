// How much memory a run can get at most, for the decoders that size a
// buffer from a stream's header (a zstd window, an xz dictionary): a
// stream that needs more is refused at once, with a clear message, instead
// of failing midway or being ended by the out-of-memory killer.
#pragma once

#include <cstdint>

namespace tabsift {

// The machine's memory and swap, or less where this process's address space
// or data are limited (ulimit -v, ulimit -d), in bytes. The limits of a
// cgroup (a container's memory.max) are not looked at.
std::uint64_t memoryLimit();

}  // namespace tabsift
