// The member loop under every decoder.
#include <algorithm>
#include <string>

#include "base/check.h"
#include "base/fd.h"
#include "input/sources.h"

namespace tabsift {

std::size_t DecodingSource::read(char* buffer, std::size_t size) {
  if (finished_ || !failure().empty()) return 0;
  io_.out = buffer;
  io_.outLeft = std::min(size, kDecodedBlock);
  const std::size_t room = io_.outLeft;
  while (io_.outLeft > 0 && advance()) {
  }
  return room - io_.outLeft;
}

// One round of the loop; false when nothing more can come out.
bool DecodingSource::advance() {
  const bool more = haveInput();
  if (!failure().empty()) return false;  // a failed read
  if (!memberOpen_) {
    if (!more) {
      finished_ = true;
      return false;
    }
    if (!startsMember(*io_.in))
      return damaged("trailing data after the stream");
    const Step started = restart();
    if (started.kind == Step::kCorrupt) return damaged(started.detail);
    memberOpen_ = true;
  }
  const std::size_t inBefore = io_.inLeft;
  const std::size_t outBefore = io_.outLeft;
  const Step result = step(io_, inputEnded_);
  // A step moves both pointers forward within their buffers, never back.
  TABSIFT_ASSERT(io_.inLeft <= inBefore && io_.outLeft <= outBefore);
  switch (result.kind) {
    case Step::kCorrupt: return damaged(result.detail);
    case Step::kMemberEnd: memberOpen_ = false; return true;
    case Step::kMovedInside: return true;
    case Step::kGoing: break;
  }
  if (io_.inLeft != inBefore || io_.outLeft != outBefore) return true;
  // A step that moved nothing would move nothing when repeated: with the
  // input used up, the member was cut short.
  if (inputEnded_) {
    fail(std::string(format_) + " data cut short");
    return false;
  }
  return damaged("the decoder makes no progress");
}

// True when compressed bytes wait, reading the next block if needed; a
// failed read ends the input and becomes the source's failure.
bool DecodingSource::haveInput() {
  if (io_.inLeft == 0 && !inputEnded_) {
    const long n = input_.read(block_.get(), kCompressedBlock);
    if (n < 0) fail(errorText(input_.error()), input_.error());
    if (n <= 0) inputEnded_ = true;
    io_.in = block_.get();
    io_.inLeft = n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  return io_.inLeft > 0;
}

void DecodingSource::refuseMemory(const char* what, std::uint64_t need,
                                  std::uint64_t limit) {
  constexpr std::uint64_t kMebibyte = 1 << 20;
  std::string text = std::string(what) + " needs ";
  if (need > 0) {
    text +=
        std::to_string(need / kMebibyte + (need % kMebibyte != 0)) + " MiB, ";
  }
  text += "more than the " + std::to_string(limit / kMebibyte) +
          " MiB the run can get";
  throw TooMuchMemory(std::move(text));
}

bool DecodingSource::damaged(const char* detail) {
  fail(std::string(format_) + " data corrupt: " + detail);
  return false;
}

}  // namespace tabsift
