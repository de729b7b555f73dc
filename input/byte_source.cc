#include "input/byte_source.h"

#include "input/compression_format.h"
#include "input/raw_input.h"
#include "input/sources.h"

namespace tabsift {

std::unique_ptr<ByteSource> openByteSource(int fd) {
  int error = 0;
  std::string head = readHead(fd, kSignatureBytes, &error);
  const CompressionFormat format = formatOf(head);
  RawInput input(fd, std::move(head), error);
  switch (format) {
    case CompressionFormat::kGzip: return makeGzipSource(std::move(input));
    case CompressionFormat::kZstd: return makeZstdSource(std::move(input));
    case CompressionFormat::kXz: return makeXzSource(std::move(input));
    case CompressionFormat::kBzip2: return makeBzip2Source(std::move(input));
    case CompressionFormat::kPlain: break;
  }
  return makePlainSource(std::move(input));
}

}  // namespace tabsift
