// Arbitrary bytes (compressed streams too) read as a data file into a store of
// each cell type, in the default line format and in a delimited one, and
// with named columns: the table comes out padded, with one comment entry and
// a name for every column.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>

#include "table/data_operations.h"
#include "table/reading_stopped.h"

namespace {

template <typename T>
void readAs(const std::string& path, tabsift::LineFormat format, bool named) {
  DataOperations<T> store;
  store.setLineFormat(format);
  if (named) store.header();
  store.parseFiles(path);
  if (named && store.columnNames.size() != store.data.size()) std::abort();
  for (std::size_t f = 0; named && f < store.data.size(); ++f) {
    if (store.columnNames[f].size() != store.data[f].widest()) std::abort();
  }
  if (store.commentLines.size() != 1 || store.parameters.size() != 1 ||
      store.commentLines[0].empty() ||
      store.fileInputs.size() != store.data.size()) {
    std::abort();
  }
  for (const auto& file : store.data)
    for (const auto& line : file)
      if (line.empty() || line.size() != file.front().size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes,
                                      std::size_t size) {
  const int fd = memfd_create("tabsift-fuzz", 0);
  if (fd < 0) return 0;
  if (write(fd, bytes, size) == static_cast<ssize_t>(size)) {
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    // The delimiter follows from the size, so that the inputs meet every
    // delimiter, with and without the decimal comma.
    tabsift::LineFormat delimited;
    delimited.delimiter = ",;|:\t"[size % 5];
    delimited.decimalComma = size / 5 % 2 == 1;
    for (const tabsift::LineFormat& format :
         {tabsift::LineFormat(), delimited}) {
      try {
        readAs<double>(path, format, false);
        readAs<float>(path, format, false);
        readAs<int>(path, format, false);
        readAs<double>(path, format, true);
      } catch (const tabsift::ReadingStopped&) {
        // Memory exhaustion, reported: a stream that asks for more memory
        // than the run can get (a zstd window of 512 GiB) ends reading so.
      }
    }
  }
  close(fd);
  return 0;
}
