// A gzip stream decoded with ISA-L's inflate. Members that follow one
// another are read one after the other, as zcat reads them.
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <cstdint>

#include "base/fd.h"
#include "input/sources.h"

namespace tabsift {
namespace {

const char* gzipErrorText(int result) {
  switch (result) {
    case ISAL_INVALID_WRAPPER: return "invalid gzip header";
    case ISAL_UNSUPPORTED_METHOD: return "unsupported gzip compression method";
    case ISAL_INCORRECT_CHECKSUM:
      return "gzip checksum mismatch: the data is corrupt";
    default: return "corrupt gzip data";
  }
}

class GzipSource : public DecodingSource {
 public:
  explicit GzipSource(RawInput input)
      : DecodingSource(std::move(input)), state_(new inflate_state) {
    isal_inflate_init(state_.get());
    state_->crc_flag = ISAL_GZIP;
  }

  std::size_t read(char* buffer, std::size_t size) override {
    if (finished_ || !failure().empty()) return 0;
    inflate_state& s = *state_;
    s.next_out = reinterpret_cast<std::uint8_t*>(buffer);
    s.avail_out = static_cast<std::uint32_t>(std::min(size, kDecodedBlock));
    const std::uint32_t room = s.avail_out;
    while (s.avail_out > 0 && step()) {
    }
    return room - s.avail_out;
  }

 private:
  // One round of decoding; false when nothing more can come out.
  bool step() {
    inflate_state& s = *state_;
    if (s.block_state == ISAL_BLOCK_FINISH) {
      if (!haveInput()) {
        finished_ = failure().empty();
        return false;
      }
      if (s.next_in[0] != 0x1f) {
        fail("trailing data after the gzip stream");
        return false;
      }
      startMember();
    }
    if (!haveInput() && !failure().empty()) return false;
    const std::uint32_t roomBefore = s.avail_out;
    const std::uint32_t inputBefore = s.avail_in;
    const auto stateBefore = s.block_state;
    const int result = isal_inflate(&s);
    if (result < 0) {
      fail(gzipErrorText(result));
      return false;
    }
    // A call that changed nothing would change nothing when repeated.
    if (s.avail_in == inputBefore && inputBefore > 0 &&
        s.avail_out == roomBefore && s.block_state == stateBefore) {
      fail("corrupt gzip data");
      return false;
    }
    // With the input used up, a member that gives nothing more was cut short.
    if (inputEnded() && s.avail_out == roomBefore &&
        s.block_state != ISAL_BLOCK_FINISH) {
      fail("gzip data cut short (unexpected end of file)");
      return false;
    }
    return true;
  }

  // True when compressed bytes wait, reading the next block if needed.
  bool haveInput() {
    if (state_->avail_in == 0 && !inputEnded()) {
      state_->avail_in = static_cast<std::uint32_t>(nextBlock());
      state_->next_in = block();
    }
    return state_->avail_in > 0;
  }

  // Starts decoding the next member at the current input position.
  void startMember() {
    inflate_state& s = *state_;
    std::uint8_t* const in = s.next_in;
    const std::uint32_t availIn = s.avail_in;
    std::uint8_t* const out = s.next_out;
    const std::uint32_t availOut = s.avail_out;
    isal_inflate_reset(&s);
    s.crc_flag = ISAL_GZIP;
    s.next_in = in;
    s.avail_in = availIn;
    s.next_out = out;
    s.avail_out = availOut;
  }

  std::unique_ptr<inflate_state> state_;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<ByteSource> makeGzipSource(RawInput input) {
  return std::make_unique<GzipSource>(std::move(input));
}

}  // namespace tabsift
