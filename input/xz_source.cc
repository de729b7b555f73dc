// An xz stream decoded with liblzma; streams that follow one another are
// read one after the other, as xzcat reads them.
#include <lzma.h>

#include <algorithm>
#include <cstdint>
#include <new>

#include "base/fd.h"
#include "input/sources.h"

namespace tabsift {
namespace {

const char* xzErrorText(lzma_ret result) {
  switch (result) {
    case LZMA_FORMAT_ERROR: return "invalid xz header";
    case LZMA_OPTIONS_ERROR: return "unsupported xz options";
    case LZMA_BUF_ERROR: return "xz data cut short (unexpected end of file)";
    default: return "corrupt xz data";
  }
}

class XzSource : public DecodingSource {
 public:
  explicit XzSource(RawInput input) : DecodingSource(std::move(input)) {
    const lzma_ret result =
        lzma_stream_decoder(&stream_, UINT64_MAX, LZMA_CONCATENATED);
    if (result == LZMA_MEM_ERROR) throw std::bad_alloc();
    if (result != LZMA_OK) fail(xzErrorText(result));
  }
  ~XzSource() override { lzma_end(&stream_); }
  XzSource(const XzSource&) = delete;
  XzSource& operator=(const XzSource&) = delete;

  std::size_t read(char* buffer, std::size_t size) override {
    if (finished_ || !failure().empty()) return 0;
    stream_.next_out = reinterpret_cast<std::uint8_t*>(buffer);
    stream_.avail_out = std::min(size, kDecodedBlock);
    while (stream_.avail_out > 0) {
      if (stream_.avail_in == 0 && !inputEnded()) {
        stream_.avail_in = nextBlock();
        stream_.next_in = block();
      }
      if (!failure().empty()) break;
      const lzma_ret result =
          lzma_code(&stream_, inputEnded() ? LZMA_FINISH : LZMA_RUN);
      if (result == LZMA_STREAM_END) {
        finished_ = true;
        break;
      }
      if (result == LZMA_MEM_ERROR) throw std::bad_alloc();
      if (result != LZMA_OK) {
        fail(xzErrorText(result));
        break;
      }
    }
    return std::min(size, kDecodedBlock) - stream_.avail_out;
  }

 private:
  lzma_stream stream_ = LZMA_STREAM_INIT;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<ByteSource> makeXzSource(RawInput input) {
  return std::make_unique<XzSource>(std::move(input));
}

}  // namespace tabsift
