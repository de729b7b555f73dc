// A zstd stream decoded with libzstd, frame after frame (skippable frames
// give no text).
#include <zstd.h>
#include <zstd_errors.h>

#include <new>

#include "input/sources.h"

namespace tabsift {
namespace {

const char* zstdDamage(std::size_t result) {
  switch (ZSTD_getErrorCode(result)) {
    case ZSTD_error_prefix_unknown: return "invalid header";
    case ZSTD_error_checksum_wrong: return "checksum mismatch";
    case ZSTD_error_frameParameter_windowTooLarge:
      return "window larger than the decoder allows";
    case ZSTD_error_corruption_detected: return "invalid data";
    default: return ZSTD_getErrorName(result);
  }
}

struct FreeContext {
  void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

class ZstdSource : public DecodingSource {
 public:
  explicit ZstdSource(RawInput input)
      : DecodingSource(std::move(input), "zstd"), context_(ZSTD_createDCtx()) {
    // The window stays within the decoder's default limit, as for the zstd
    // command: a header cannot make it reserve gigabytes.
    if (!context_) throw std::bad_alloc();
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
      return Step::corrupt(zstdDamage(result));
    }
    return {result == 0 ? Step::kMemberEnd : Step::kGoing};
  }

  std::unique_ptr<ZSTD_DCtx, FreeContext> context_;
};

}  // namespace

std::unique_ptr<ByteSource> makeZstdSource(RawInput input) {
  return std::make_unique<ZstdSource>(std::move(input));
}

}  // namespace tabsift
