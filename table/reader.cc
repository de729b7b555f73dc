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

#include "input/byte_source.h"
#include "table/data_operations.h"
#include "base/diagnostics.h"
#include "base/fd.h"
#include "table/line_cells.h"
#include "input/line_reader.h"
#include "table/name_list.h"
#include "table/reading_stopped.h"

namespace {

constexpr std::string_view kInvalidValue =
    "Invalid value detected in data file: ";

// Gathers the lines of one input in chunks of bounded size and hands them
// over as one list sized to fit, so that a large input never holds a list
// grown to twice its length or copied while growing.
template <typename Line>
class LineCollector {
 public:
  void add(Line&& line) {
    if (current_.size() == current_.capacity()) startChunk();
    current_.push_back(std::move(line));
  }

  // The list has room for a few lines more than it holds: column
  // statistics append one result line per statistic, and without the room
  // the first of them would copy the whole list into one twice its size.
  std::vector<Line> take() {
    std::size_t total = current_.size();
    for (const auto& chunk : chunks_) total += chunk.size();
    std::vector<Line> all;
    all.reserve(total + kSpareLines);
    for (auto& chunk : chunks_) {
      for (Line& line : chunk) all.push_back(std::move(line));
      std::vector<Line>().swap(chunk);
    }
    for (Line& line : current_) all.push_back(std::move(line));
    std::vector<Line>().swap(current_);
    chunks_.clear();
    return all;
  }

 private:
  void startChunk() {
    if (!current_.empty()) chunks_.push_back(std::move(current_));
    current_ = std::vector<Line>();
    current_.reserve(nextCapacity_);
    if (nextCapacity_ < kLargestChunk) nextCapacity_ *= 2;
  }

  static constexpr std::size_t kLargestChunk = 1 << 16;
  static constexpr std::size_t kSpareLines = 8;
  std::size_t nextCapacity_ = 16;
  std::vector<std::vector<Line>> chunks_;
  std::vector<Line> current_;
};

// Turns the lines of one input into its table and comment lines.
template <typename T>
class InputReader {
 public:
  using Value = typename DataOperations<T>::Value;
  using Line = typename DataOperations<T>::Line;
  using File = typename DataOperations<T>::File;

  // `position` is the 0-based position of the input in the list.
  explicit InputReader(std::size_t position) : position_(position) {}

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
    lines_.add(Line(scratch_.begin(), scratch_.end()));
  }

  File takeLines() { return lines_.take(); }
  std::vector<std::string> takeComments() { return std::move(comments_); }

 private:
  std::size_t position_;
  Line scratch_;
  LineCollector<Line> lines_;
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
               const std::string* name) {
  try {
    InputReader<T> input(i);
    std::unique_ptr<tabsift::ByteSource> source = tabsift::openByteSource(fd);
    tabsift::LineReader reader(*source);
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
    // The partial input is gone by now, which leaves room for the message.
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
  readInput(store, 0, STDIN_FILENO, nullptr);
}

template <typename T>
void readFileList(DataOperations<T>& store) {
  for (std::size_t i = 0; i < store.inputFiles.size(); ++i) {
    const std::string& name = store.inputFiles[i];
    tabsift::FileDescriptor fd = tabsift::openFile(name, O_RDONLY);
    if (fd.valid()) {
      readInput(store, i, fd.get(), &name);
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
