// Recognising a compressed stream by its leading bytes, never by a file's
// name. A format counts only when its whole signature is there, including
// the bytes that no text can hold, so a plain file that happens to begin
// with "BZh" or a stray control byte stays plain.
#pragma once

#include <cstddef>
#include <string_view>

namespace tabsift {

enum class CompressionFormat { kPlain, kGzip, kZstd, kXz, kBzip2 };

// How many leading bytes formatOf() needs to decide.
inline constexpr std::size_t kSignatureBytes = 10;

// The format whose signature `head` (the first bytes of an input, fewer
// only when the input is shorter) begins with.
CompressionFormat formatOf(std::string_view head);

}  // namespace tabsift
