// A zstd stream decoded with libzstd; frames that follow one another are
// read one after the other.
#include <zstd.h>
#include <zstd_errors.h>

#include <algorithm>
#include <new>

#include "base/fd.h"
#include "input/sources.h"

namespace tabsift {
namespace {

struct FreeContext {
  void operator()(ZSTD_DCtx* context) const { ZSTD_freeDCtx(context); }
};

class ZstdSource : public DecodingSource {
 public:
  explicit ZstdSource(RawInput input)
      : DecodingSource(std::move(input)), context_(ZSTD_createDCtx()) {
    // The window stays within the decoder's default limit, as for the zstd
    // command: a header cannot make it reserve gigabytes.
    if (!context_) throw std::bad_alloc();
  }

  std::size_t read(char* buffer, std::size_t size) override {
    if (finished_ || !failure().empty()) return 0;
    ZSTD_outBuffer out = {buffer, std::min(size, kDecodedBlock), 0};
    while (out.pos < out.size) {
      if (in_.pos == in_.size && !inputEnded()) in_ = {block(), nextBlock(), 0};
      if (!failure().empty()) break;
      if (inputEnded() && !frameOpen_) {
        finished_ = true;
        break;
      }
      const std::size_t before = out.pos;
      const std::size_t result =
          ZSTD_decompressStream(context_.get(), &out, &in_);
      if (ZSTD_isError(result)) {
        if (ZSTD_getErrorCode(result) == ZSTD_error_memory_allocation) {
          throw std::bad_alloc();
        }
        fail(std::string("zstd: ") + ZSTD_getErrorName(result));
        break;
      }
      frameOpen_ = result != 0;
      // With the input used up, a frame that gives nothing more was cut short.
      if (inputEnded() && frameOpen_ && out.pos == before) {
        fail("zstd data cut short (unexpected end of file)");
        break;
      }
    }
    return out.pos;
  }

 private:
  std::unique_ptr<ZSTD_DCtx, FreeContext> context_;
  ZSTD_inBuffer in_ = {nullptr, 0, 0};
  bool frameOpen_ = false;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<ByteSource> makeZstdSource(RawInput input) {
  return std::make_unique<ZstdSource>(std::move(input));
}

}  // namespace tabsift
