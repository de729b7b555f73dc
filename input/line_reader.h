// Reading an input's text line by line in large blocks. A line ends at LF,
// which is not part of it; the last line needs no LF. Lines may be of any
// length and hold any bytes, NUL included.
#pragma once

#include <cstddef>
#include <string_view>

#include "input/byte_source.h"

namespace tabsift {

// The bytes a LineReader reads into. One buffer serves every input of a run
// in turn, so that an input costs no fresh memory; a large one is mapped
// with huge pages.
class ReadBuffer {
 public:
  ReadBuffer() = default;
  ~ReadBuffer();
  ReadBuffer(const ReadBuffer&) = delete;
  ReadBuffer& operator=(const ReadBuffer&) = delete;

  char* data() const { return data_; }
  std::size_t capacity() const { return capacity_; }
  // Room for at least `size` bytes, keeping the first `keep`.
  void grow(std::size_t size, std::size_t keep);

 private:
  void release();

  // Left uninitialised: only bytes that were read are ever looked at.
  char* data_ = nullptr;
  std::size_t capacity_ = 0;
  bool mapped_ = false;
};

class LineReader {
 public:
  // Reads `source` into `buffer`, both of which the caller keeps (the
  // buffer may go on to the reader of the next input); why reading stopped
  // early is the source's failure().
  LineReader(ByteSource& source, ReadBuffer& buffer,
             std::size_t blockSize = 1 << 20);

  // Drops a UTF-8 byte order mark at the start of the text; called before
  // the first line is taken.
  void skipByteOrderMark();

  // The next line, valid until the next call; false at the end of the
  // input or after a read error. When reading failed, the unfinished line
  // before the failure is not handed out.
  bool next(std::string_view* line);

  // True when not a single byte has been read yet.
  bool nothingRead() const { return !anythingRead_; }

 private:
  // Reads more bytes after the unconsumed ones, moving them to the front of
  // the buffer or growing it first as needed. False at end of input or on
  // error.
  bool fill();

  ByteSource& source_;
  std::size_t blockSize_;
  ReadBuffer& buffer_;
  std::size_t begin_ = 0;    // first unconsumed byte
  std::size_t end_ = 0;      // one past the last byte read
  std::size_t scanned_ = 0;  // bytes from begin_ known to hold no LF
  bool atEnd_ = false;
  bool anythingRead_ = false;
};

}  // namespace tabsift
