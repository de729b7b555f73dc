// A zstd stream decoded with libzstd, frame after frame (skippable frames
// give no text).
// The window limit in bytes (ZSTD_DCtx_setMaxWindowSize) is in the part of
// the interface that the shared library exports but does not promise yet.
#define ZSTD_STATIC_LINKING_ONLY
#include <zstd.h>
#include <zstd_errors.h>

#include <algorithm>
#include <cstdint>
#include <new>

#include "base/memory_limit.h"
#include "input/sources.h"

namespace tabsift {
namespace {

const char* zstdDamage(std::size_t result) {
  switch (ZSTD_getErrorCode(result)) {
    case ZSTD_error_prefix_unknown: return "invalid header";
    case ZSTD_error_checksum_wrong: return "checksum mismatch";
    case ZSTD_error_corruption_detected: return "invalid data";
    default: return ZSTD_getErrorName(result);
  }
}

struct FreeContext {
  void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

// The largest window this run can get: what the run can get, within what
// the library can decode (2 GiB on 64-bit systems).
std::size_t largestWindow() {
  const ZSTD_bounds logs = ZSTD_dParam_getBounds(ZSTD_d_windowLogMax);
  const std::uint64_t least = std::uint64_t{1} << logs.lowerBound;
  const std::uint64_t most = std::uint64_t{1} << logs.upperBound;
  return static_cast<std::size_t>(std::clamp(memoryLimit(), least, most));
}

class ZstdSource : public DecodingSource {
 public:
  explicit ZstdSource(RawInput input)
      : DecodingSource(std::move(input), "zstd"),
        context_(ZSTD_createDCtx()),
        window_(largestWindow()) {
    if (!context_) throw std::bad_alloc();
    // Any window the format allows, up to what the run can get: a frame
    // that needs more is refused before its buffer is made.
    if (ZSTD_isError(ZSTD_DCtx_setMaxWindowSize(context_.get(), window_))) {
      throw std::bad_alloc();
    }
  }

 private:
  // A frame, or a skippable frame (magic 0x184D2A50 to 0x184D2A5F).
  bool startsMember(unsigned char first) const override {
    return first == 0x28 || (first & 0xf0) == 0x50;
  }

  Step restart() override {
    ZSTD_DCtx_reset(context_.get(), ZSTD_reset_session_only);
    return {};
  }

  Step step(StepBuffers& io, bool) override {
    ZSTD_inBuffer in = {io.in, io.inLeft, 0};
    ZSTD_outBuffer out = {io.out, io.outLeft, 0};
    const std::size_t result = ZSTD_decompressStream(context_.get(), &out, &in);
    io.in += in.pos;
    io.inLeft -= in.pos;
    io.out += out.pos;
    io.outLeft -= out.pos;
    if (ZSTD_isError(result)) {
      if (ZSTD_getErrorCode(result) == ZSTD_error_memory_allocation) {
        throw std::bad_alloc();
      }
      if (ZSTD_getErrorCode(result) ==
          ZSTD_error_frameParameter_windowTooLarge) {
        refuseMemory("the zstd window", 0, window_);
      }
      return Step::corrupt(zstdDamage(result));
    }
    return {result == 0 ? Step::kMemberEnd : Step::kGoing};
  }

  std::unique_ptr<ZSTD_DCtx, FreeContext> context_;
  std::size_t window_;
};

}  // namespace

std::unique_ptr<ByteSource> makeZstdSource(RawInput input) {
  return std::make_unique<ZstdSource>(std::move(input));
}

}  // namespace tabsift
