// The kinds of byte source, one per file: the plain descriptor and one
// decoder per compressed format. openByteSource() picks one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "input/byte_source.h"
#include "input/raw_input.h"

namespace tabsift {

std::unique_ptr<ByteSource> makePlainSource(RawInput input);
std::unique_ptr<ByteSource> makeGzipSource(RawInput input);
std::unique_ptr<ByteSource> makeZstdSource(RawInput input);
std::unique_ptr<ByteSource> makeXzSource(RawInput input);
std::unique_ptr<ByteSource> makeBzip2Source(RawInput input);

// The size of a decoder's block of compressed input.
inline constexpr std::size_t kCompressedBlock = 1 << 18;

// The most text a decoder hands out at once (blocks from 64 KiB to 1 MiB
// loaded the benchmark files equally fast).
inline constexpr std::size_t kDecodedBlock = 1 << 18;

// The buffers of one decoding step: the compressed bytes waiting and the
// room for text. A step moves both pointers past what it used.
struct StepBuffers {
  const unsigned char* in = nullptr;
  std::size_t inLeft = 0;
  char* out = nullptr;
  std::size_t outLeft = 0;
};

// What a format's step or restart reports.
struct Step {
  enum Kind {
    kGoing,        // judged by what moved in the buffers
    kMovedInside,  // the decoder's own state moved, though no byte did
    kMemberEnd,    // the member is complete and its text all handed out
    kCorrupt,      // the data is damaged: `detail` says how
  };
  Kind kind = kGoing;
  const char* detail = nullptr;

  static Step corrupt(const char* detail) { return {kCorrupt, detail}; }
};

// What every decoder shares: the member loop. A compressed input is one or
// more members (gzip members, zstd frames, xz and bzip2 streams) one after
// the other; each format supplies how a member starts (restart) and one
// round of decoding (step), and this loop does the rest for all of them:
// reading the compressed input block by block, clamping the text handed
// out, moving on to the next member, judging what follows the last one, and
// telling damage from an input cut short. Every failure reads
// "FORMAT data cut short" or "FORMAT data corrupt: DETAIL", or is the text
// of a failed read.
class DecodingSource : public ByteSource {
 public:
  std::size_t read(char* buffer, std::size_t size) final;

 protected:
  // `format` names the format in messages: "gzip", "zstd", "xz", "bzip2".
  DecodingSource(RawInput input, std::string_view format)
      : input_(std::move(input)),
        block_(new unsigned char[kCompressedBlock]),
        format_(format) {}

  // Whether a member can begin with the byte `first`; anything else after
  // a member is trailing data, which fails.
  virtual bool startsMember(unsigned char first) const = 0;
  // Gets the decoder ready for a member that begins at the next byte.
  // Throws std::bad_alloc when memory runs out.
  virtual Step restart() = 0;
  // One round of decoding; `inputEnded` says that no byte follows those in
  // `io`. Throws std::bad_alloc when memory runs out.
  virtual Step step(StepBuffers& io, bool inputEnded) = 0;

  // Throws TooMuchMemory for a member that needs more than the `limit`
  // bytes the run can get: "`what` needs N MiB, more than the M MiB the run
  // can get", or with a `need` of 0 (unknown) "`what` needs more than the
  // M MiB the run can get".
  [[noreturn]] static void refuseMemory(const char* what, std::uint64_t need,
                                        std::uint64_t limit);

 private:
  bool advance();
  bool haveInput();
  bool damaged(const char* detail);

  RawInput input_;
  std::unique_ptr<unsigned char[]> block_;
  std::string_view format_;
  StepBuffers io_;
  bool inputEnded_ = false;
  bool memberOpen_ = false;
  bool finished_ = false;
};

}  // namespace tabsift
