// A gzip stream decoded with ISA-L's inflate, member after member.
#include <isa-l/igzip_lib.h>

#include <cstdint>

#include "input/sources.h"

namespace tabsift {
namespace {

const char* gzipDamage(int result) {
  switch (result) {
    case ISAL_INVALID_WRAPPER: return "invalid header";
    case ISAL_UNSUPPORTED_METHOD: return "unsupported compression method";
    case ISAL_INCORRECT_CHECKSUM: return "checksum mismatch";
    case ISAL_INVALID_LOOKBACK: return "invalid distance";
    default: return "invalid deflate data";
  }
}

class GzipSource : public DecodingSource {
 public:
  explicit GzipSource(RawInput input)
      : DecodingSource(std::move(input), "gzip"), state_(new inflate_state) {
    isal_inflate_init(state_.get());
  }

 private:
  bool startsMember(unsigned char first) const override {
    return first == 0x1f;
  }

  Step restart() override {
    isal_inflate_reset(state_.get());
    state_->crc_flag = ISAL_GZIP;
    return {};
  }

  Step step(StepBuffers& io, bool) override {
    inflate_state& s = *state_;
    s.next_in = const_cast<std::uint8_t*>(io.in);
    s.avail_in = static_cast<std::uint32_t>(io.inLeft);
    s.next_out = reinterpret_cast<std::uint8_t*>(io.out);
    s.avail_out = static_cast<std::uint32_t>(io.outLeft);
    const auto stateBefore = s.block_state;
    const int result = isal_inflate(&s);
    io.out = reinterpret_cast<char*>(s.next_out);
    io.outLeft = s.avail_out;
    // After an error the input position means nothing: it can stand before
    // the bytes the decoder was given.
    if (result < 0) return Step::corrupt(gzipDamage(result));
    io.in = s.next_in;
    io.inLeft = s.avail_in;
    if (s.block_state == ISAL_BLOCK_FINISH) return {Step::kMemberEnd};
    // Bits already taken in can carry a block header and no text.
    return {s.block_state != stateBefore ? Step::kMovedInside : Step::kGoing};
  }

  std::unique_ptr<inflate_state> state_;
};

}  // namespace

std::unique_ptr<ByteSource> makeGzipSource(RawInput input) {
  return std::make_unique<GzipSource>(std::move(input));
}

}  // namespace tabsift
