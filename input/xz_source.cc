// An xz stream decoded with liblzma, stream after stream.
#include <lzma.h>

#include <cstdint>
#include <new>

#include "base/memory_limit.h"
#include "input/sources.h"

namespace tabsift {
namespace {

const char* xzDamage(lzma_ret result) {
  switch (result) {
    case LZMA_FORMAT_ERROR: return "invalid header";
    case LZMA_OPTIONS_ERROR: return "unsupported options";
    default: return "invalid data";
  }
}

class XzSource : public DecodingSource {
 public:
  explicit XzSource(RawInput input)
      : DecodingSource(std::move(input), "xz"), limit_(memoryLimit()) {}
  ~XzSource() override { lzma_end(&stream_); }
  XzSource(const XzSource&) = delete;
  XzSource& operator=(const XzSource&) = delete;

 private:
  // A stream, or the zero bytes of stream padding after one.
  bool startsMember(unsigned char first) const override {
    return first == 0xfd || first == 0;
  }

  Step restart() override {
    // A dictionary of up to 4 GiB, as the stream asks, within what the run
    // can get: a stream that needs more is refused before it is made.
    const lzma_ret result = lzma_stream_decoder(&stream_, limit_, 0);
    if (result == LZMA_MEM_ERROR) throw std::bad_alloc();
    if (result != LZMA_OK) return Step::corrupt(xzDamage(result));
    padding_ = 0;
    inStream_ = false;
    return {};
  }

  Step step(StepBuffers& io, bool inputEnded) override {
    if (!inStream_) {
      // Stream padding: zero bytes, four at a time, before the next stream
      // or at the end.
      for (; io.inLeft > 0 && *io.in == 0; ++io.in, --io.inLeft) ++padding_;
      if (io.inLeft == 0 && !inputEnded) return {};
      if (padding_ % 4 != 0) return Step::corrupt("invalid stream padding");
      if (io.inLeft == 0) return {Step::kMemberEnd};
      inStream_ = true;
    }
    stream_.next_in = io.in;
    stream_.avail_in = io.inLeft;
    stream_.next_out = reinterpret_cast<std::uint8_t*>(io.out);
    stream_.avail_out = io.outLeft;
    const lzma_ret result = lzma_code(&stream_, LZMA_RUN);
    io.in = stream_.next_in;
    io.inLeft = stream_.avail_in;
    io.out = reinterpret_cast<char*>(stream_.next_out);
    io.outLeft = stream_.avail_out;
    if (result == LZMA_STREAM_END) return {Step::kMemberEnd};
    if (result == LZMA_MEM_ERROR) throw std::bad_alloc();
    if (result == LZMA_MEMLIMIT_ERROR) {
      refuseMemory("the xz stream", lzma_memusage(&stream_), limit_);
    }
    // A call that can make no progress is judged by the member loop.
    if (result == LZMA_OK || result == LZMA_BUF_ERROR) return {};
    return Step::corrupt(xzDamage(result));
  }

  lzma_stream stream_ = LZMA_STREAM_INIT;
  std::uint64_t limit_;
  unsigned long padding_ = 0;
  bool inStream_ = false;
};

}  // namespace

std::unique_ptr<ByteSource> makeXzSource(RawInput input) {
  return std::make_unique<XzSource>(std::move(input));
}

}  // namespace tabsift
