// A bzip2 stream decoded with libbz2; streams that follow one another are
// read one after the other, as bzcat reads them.
#include <bzlib.h>

#include <algorithm>
#include <new>

#include "base/fd.h"
#include "input/sources.h"

namespace tabsift {
namespace {

const char* bzip2ErrorText(int result) {
  switch (result) {
    case BZ_DATA_ERROR_MAGIC: return "invalid bzip2 header";
    default: return "corrupt bzip2 data";
  }
}

class Bzip2Source : public DecodingSource {
 public:
  explicit Bzip2Source(RawInput input) : DecodingSource(std::move(input)) {
    startStream();
  }
  ~Bzip2Source() override {
    if (open_) BZ2_bzDecompressEnd(&stream_);
  }
  Bzip2Source(const Bzip2Source&) = delete;
  Bzip2Source& operator=(const Bzip2Source&) = delete;

  std::size_t read(char* buffer, std::size_t size) override {
    if (finished_ || !failure().empty()) return 0;
    stream_.next_out = buffer;
    stream_.avail_out = static_cast<unsigned>(std::min(size, kDecodedBlock));
    const unsigned room = stream_.avail_out;
    while (stream_.avail_out > 0 && step()) {
    }
    return room - stream_.avail_out;
  }

 private:
  // One round of decoding; false when nothing more can come out.
  bool step() {
    if (!open_) {
      if (!haveInput()) {
        finished_ = failure().empty();
        return false;
      }
      if (stream_.next_in[0] != 'B') {
        fail("trailing data after the bzip2 stream");
        return false;
      }
      startStream();
      if (!open_) return false;
    }
    if (!haveInput() && !failure().empty()) return false;
    const unsigned roomBefore = stream_.avail_out;
    const int result = BZ2_bzDecompress(&stream_);
    if (result == BZ_STREAM_END) {
      endStream();
      return true;
    }
    if (result == BZ_MEM_ERROR) throw std::bad_alloc();
    if (result != BZ_OK) {
      fail(bzip2ErrorText(result));
      return false;
    }
    // With the input used up, a stream that gives nothing more was cut short.
    if (inputEnded() && stream_.avail_in == 0 &&
        stream_.avail_out == roomBefore) {
      fail("bzip2 data cut short (unexpected end of file)");
      return false;
    }
    return true;
  }

  // Starts decoding a stream at the current input position.
  void startStream() {
    keepingPlace([this] {
      stream_ = bz_stream();
      const int result = BZ2_bzDecompressInit(&stream_, 0, 0);
      if (result == BZ_MEM_ERROR) throw std::bad_alloc();
      if (result != BZ_OK) {
        fail(bzip2ErrorText(result));
      } else {
        open_ = true;
      }
    });
  }

  void endStream() {
    keepingPlace([this] {
      BZ2_bzDecompressEnd(&stream_);
      open_ = false;
    });
  }

  // Runs `reset`, which starts the stream afresh, keeping its place in the
  // compressed input and in the text.
  template <typename Reset>
  void keepingPlace(Reset reset) {
    char* const in = stream_.next_in;
    const unsigned availIn = stream_.avail_in;
    char* const out = stream_.next_out;
    const unsigned availOut = stream_.avail_out;
    reset();
    stream_.next_in = in;
    stream_.avail_in = availIn;
    stream_.next_out = out;
    stream_.avail_out = availOut;
  }

  // True when compressed bytes wait, reading the next block if needed.
  bool haveInput() {
    if (stream_.avail_in == 0 && !inputEnded()) {
      stream_.avail_in = static_cast<unsigned>(nextBlock());
      stream_.next_in = reinterpret_cast<char*>(block());
    }
    return stream_.avail_in > 0;
  }

  bz_stream stream_ = bz_stream();
  bool open_ = false;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<ByteSource> makeBzip2Source(RawInput input) {
  return std::make_unique<Bzip2Source>(std::move(input));
}

}  // namespace tabsift
