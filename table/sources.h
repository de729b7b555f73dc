// The kinds of byte source, one per file: the plain descriptor and one
// decoder per compressed format. openByteSource() picks one.
#pragma once

#include <memory>

#include "table/byte_source.h"
#include "table/raw_input.h"

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

}  // namespace tabsift
