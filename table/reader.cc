// Reading the input files, or standard input, into the table: every data
// line becomes a line of cells, every comment line is kept as text, and each
// input gets its comment entry even when it yields nothing.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/diagnostics.h"
#include "base/fd.h"
#include "input/byte_source.h"
#include "input/line_reader.h"
#include "table/data_operations.h"
#include "table/line_cells.h"
#include "table/name_list.h"
#include "table/reading_stopped.h"

namespace {

constexpr std::string_view kInvalidValue =
    "Invalid value detected in data file: ";

// What reading keeps from one input to the next: the buffer the text is
// read into, the cells of the line being read and the block the lines of
// an input are gathered in, so that an input costs no fresh memory beyond
// its own cells.
template <typename T>
struct ReadingScratch {
  tabsift::ReadBuffer text;
  typename DataOperations<T>::Line cells;
  typename DataOperations<T>::File lines;
};

// Turns the lines of one input into its table and comment lines.
template <typename T>
class InputReader {
 public:
  using File = typename DataOperations<T>::File;

  // `position` is the 0-based position of the input in the list.
  InputReader(std::size_t position, ReadingScratch<T>& scratch)
      : position_(position), scratch_(scratch.cells), lines_(scratch.lines) {}

  void readLines(tabsift::LineReader& reader) {
    std::string_view line;
    while (reader.next(&line)) take(line);
  }

  void take(std::string_view line) {
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (i < n && tabsift::isDataDelimiter(line[i])) ++i;
    if (i == n) return;
    if (line[i] == '#') {
      comments_.emplace_back(line.substr(i));
      return;
    }
    scratch_.clear();
    std::size_t invalid = tabsift::appendLineCells<T>(line.substr(i), scratch_);
    for (; invalid > 0; --invalid) tabsift::say(kInvalidValue, position_ + 1);
    lines_.appendPadded(scratch_.data(), scratch_.size());
  }

  // The lines, in a block of their own sized to fit.
  File takeLines() { return lines_.takeExact(); }
  std::vector<std::string> takeComments() { return std::move(comments_); }

 private:
  std::size_t position_;
  typename DataOperations<T>::Line& scratch_;
  File& lines_;
  std::vector<std::string> comments_;
};

}  // namespace

template <typename T>
void DataOperations<T>::parseFiles(std::string list) {
  readFiles(tabsift::splitNameList(list));
}

template <typename T>
void DataOperations<T>::readFiles(std::vector<std::string> names) {
  for (std::string& name : names) inputFiles.push_back(std::move(name));
  DataHandler& store = *this;
  store.load();
  parseComments();
}

namespace {

using tabsift::inputLabel;

// Reads one input from `fd` into the store as input `i`, decoding it when it
// is compressed. A read that fails midway keeps the lines before the damage
// and marks the input incomplete. Memory running out ends the run: the
// partial input is dropped, the failure reported and ReadingStopped thrown.
template <typename T>
void readInput(DataOperations<T>& store, std::size_t i, int fd,
               const std::string* name, ReadingScratch<T>& scratch) {
  try {
    InputReader<T> input(i, scratch);
    std::unique_ptr<tabsift::ByteSource> source = tabsift::openByteSource(fd);
    tabsift::LineReader reader(*source, scratch.text);
    reader.skipByteOrderMark();
    input.readLines(reader);
    if (!source->failure().empty()) {
      // A directory opens but fails at its first read.
      const bool atOpen =
          name != nullptr && reader.nothingRead() && source->systemError() != 0;
      store.incompleteInputs.push_back(i);
      tabsift::reportFailure(
          std::string(atOpen ? "cannot open " : "cannot read ") +
          inputLabel(name) + ": " + source->failure());
    }
    typename DataOperations<T>::File lines = input.takeLines();
    if (!lines.empty()) {
      store.data.push_back(std::move(lines));
      store.fileInputs.push_back(i);
    }
    std::vector<std::string> comments = input.takeComments();
    if (comments.empty()) comments.emplace_back("\r\n");
    store.commentLines.push_back(std::move(comments));
  } catch (const std::bad_alloc&) {
    // The partial input is gone by now, and so is the line being read,
    // which leaves room for the message.
    typename DataOperations<T>::Line().swap(scratch.cells);
    scratch.lines.clear();
    store.incompleteInputs.push_back(i);
    tabsift::reportMemoryExhausted("reading " + inputLabel(name));
    throw tabsift::ReadingStopped("memory exhausted");
  }
}

// An input that cannot be opened reads as an empty one, reported.
template <typename T>
void skipUnopened(DataOperations<T>& store, std::size_t i,
                  const std::string& name, int error) {
  store.incompleteInputs.push_back(i);
  tabsift::reportFailure("cannot open " + inputLabel(&name) + ": " +
                         tabsift::errorText(error));
  store.commentLines.push_back({"\r\n"});
}

template <typename T>
void readStandardInput(DataOperations<T>& store) {
  ReadingScratch<T> scratch;
  readInput(store, 0, STDIN_FILENO, nullptr, scratch);
}

template <typename T>
void readFileList(DataOperations<T>& store) {
  ReadingScratch<T> scratch;
  for (std::size_t i = 0; i < store.inputFiles.size(); ++i) {
    const std::string& name = store.inputFiles[i];
    tabsift::FileDescriptor fd = tabsift::openFile(name, O_RDONLY);
    if (fd.valid()) {
      readInput(store, i, fd.get(), &name, scratch);
    } else {
      skipUnopened(store, i, name, errno);
    }
  }
}

}  // namespace

template <typename T>
void DataOperations<T>::load() {
  if (inputFiles.empty()) {
    readStandardInput(*this);
  } else {
    readFileList(*this);
  }
  fillInBlanks();
}

#define INSTANTIATE(T)                                                  \
  template void DataOperations<T>::parseFiles(std::string);             \
  template void DataOperations<T>::readFiles(std::vector<std::string>); \
  template void DataOperations<T>::load();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
