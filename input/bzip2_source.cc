// A bzip2 stream decoded with libbz2, stream after stream.
#include <bzlib.h>

#include <new>

#include "input/sources.h"

namespace tabsift {
namespace {

const char* bzip2Damage(int result) {
  switch (result) {
    case BZ_DATA_ERROR_MAGIC: return "invalid header";
    default: return "invalid data";
  }
}

class Bzip2Source : public DecodingSource {
 public:
  explicit Bzip2Source(RawInput input)
      : DecodingSource(std::move(input), "bzip2") {}
  ~Bzip2Source() override { end(); }
  Bzip2Source(const Bzip2Source&) = delete;
  Bzip2Source& operator=(const Bzip2Source&) = delete;

 private:
  bool startsMember(unsigned char first) const override { return first == 'B'; }

  Step restart() override {
    end();
    stream_ = bz_stream();
    const int result = BZ2_bzDecompressInit(&stream_, 0, 0);
    if (result == BZ_MEM_ERROR) throw std::bad_alloc();
    if (result != BZ_OK) return Step::corrupt(bzip2Damage(result));
    open_ = true;
    return {};
  }

  Step step(StepBuffers& io, bool) override {
    stream_.next_in =
        reinterpret_cast<char*>(const_cast<unsigned char*>(io.in));
    stream_.avail_in = static_cast<unsigned>(io.inLeft);
    stream_.next_out = io.out;
    stream_.avail_out = static_cast<unsigned>(io.outLeft);
    const int result = BZ2_bzDecompress(&stream_);
    io.in = reinterpret_cast<const unsigned char*>(stream_.next_in);
    io.inLeft = stream_.avail_in;
    io.out = stream_.next_out;
    io.outLeft = stream_.avail_out;
    if (result == BZ_STREAM_END) return {Step::kMemberEnd};
    if (result == BZ_MEM_ERROR) throw std::bad_alloc();
    if (result != BZ_OK) return Step::corrupt(bzip2Damage(result));
    return {};
  }

  void end() {
    if (open_) BZ2_bzDecompressEnd(&stream_);
    open_ = false;
  }

  bz_stream stream_ = bz_stream();
  bool open_ = false;
};

}  // namespace

std::unique_ptr<ByteSource> makeBzip2Source(RawInput input) {
  return std::make_unique<Bzip2Source>(std::move(input));
}

}  // namespace tabsift
