// The kinds of byte source, one per file: the plain descriptor and one
// decoder per compressed format. openByteSource() picks one.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

#include "input/byte_source.h"
#include "base/fd.h"
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

// What every decoder shares: the compressed bytes of its input, read block
// by block, with a failed read reported as the source's failure.
class DecodingSource : public ByteSource {
 protected:
  explicit DecodingSource(RawInput input)
      : input_(std::move(input)), block_(new unsigned char[kCompressedBlock]) {}

  // Reads the next block into block(): its size; 0 at the end of the input
  // or after a failed read, and from then on inputEnded() holds.
  std::size_t nextBlock() {
    if (inputEnded_) return 0;
    const long n = input_.read(block_.get(), kCompressedBlock);
    if (n < 0) fail(errorText(input_.error()), input_.error());
    if (n <= 0) inputEnded_ = true;
    return n > 0 ? static_cast<std::size_t>(n) : 0;
  }
  unsigned char* block() { return block_.get(); }
  bool inputEnded() const { return inputEnded_; }

 private:
  RawInput input_;
  std::unique_ptr<unsigned char[]> block_;
  bool inputEnded_ = false;
};

}  // namespace tabsift
