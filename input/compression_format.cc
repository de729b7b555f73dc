#include "input/compression_format.h"

namespace tabsift {
namespace {

bool startsWith(std::string_view head, std::string_view signature) {
  return head.substr(0, signature.size()) == signature;
}

// gzip: the magic, the deflate method and no reserved flag bit set.
bool isGzip(std::string_view head) {
  return startsWith(head, "\x1f\x8b\x08") && head.size() > 3 &&
         (static_cast<unsigned char>(head[3]) & 0xe0) == 0;
}

// zstd: a frame, or a skippable frame (magic 0x184D2A50 to 0x184D2A5F).
bool isZstd(std::string_view head) {
  if (startsWith(head, "\x28\xb5\x2f\xfd")) return true;
  return head.size() >= 4 &&
         (static_cast<unsigned char>(head[0]) & 0xf0) == 0x50 &&
         head.substr(1, 3) == "\x2a\x4d\x18";
}

// bzip2: "BZh", the block size digit, then the magic of the first block or
// of the end of an empty stream.
bool isBzip2(std::string_view head) {
  if (head.size() < 10 || !startsWith(head, "BZh") || head[3] < '1' ||
      head[3] > '9') {
    return false;
  }
  const std::string_view block = head.substr(4, 6);
  return block == "\x31\x41\x59\x26\x53\x59" ||
         block == "\x17\x72\x45\x38\x50\x90";
}

}  // namespace

CompressionFormat formatOf(std::string_view head) {
  using namespace std::string_view_literals;
  if (isGzip(head)) return CompressionFormat::kGzip;
  if (isZstd(head)) return CompressionFormat::kZstd;
  if (startsWith(head,
                 "\xfd"
                 "7zXZ\0"sv))
    return CompressionFormat::kXz;
  if (isBzip2(head)) return CompressionFormat::kBzip2;
  return CompressionFormat::kPlain;
}

}  // namespace tabsift
