// Reading the input files, or standard input, into the table: every data
// line becomes a line of cells, every comment line is kept as text, and each
// input gets its comment entry even when it yields nothing.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "table/data_operations.h"
#include "table/diagnostics.h"
#include "table/line_cells.h"
#include "table/line_reader.h"
#include "table/message_buffer.h"
#include "table/name_list.h"

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
  InputReader(std::size_t position, tabsift::MessageBuffer& messages)
      : position_(position), messages_(messages) {}

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
    for (; invalid > 0; --invalid) messages_.line(kInvalidValue, position_ + 1);
    lines_.add(Line(scratch_.begin(), scratch_.end()));
  }

  File takeLines() { return lines_.take(); }
  std::vector<std::string> takeComments() { return std::move(comments_); }

 private:
  std::size_t position_;
  tabsift::MessageBuffer& messages_;
  Line scratch_;
  LineCollector<Line> lines_;
  std::vector<std::string> comments_;
};

std::string errorText(int error) { return std::strerror(error); }

}  // namespace

template <typename T>
void DataOperations<T>::parseFiles(std::string list) {
  for (std::string& name : tabsift::splitNameList(list)) {
    inputFiles.push_back(std::move(name));
  }
  DataHandler& store = *this;
  store.load();
  parseComments();
}

template <typename T>
void DataOperations<T>::load() {
  const std::size_t inputs = inputFiles.empty() ? 1 : inputFiles.size();
  tabsift::MessageBuffer messages;
  for (std::size_t i = 0; i < inputs; ++i) {
    InputReader<T> input(i, messages);
    if (inputFiles.empty()) {
      tabsift::LineReader reader(STDIN_FILENO);
      input.readLines(reader);
      if (reader.error() != 0) {
        messages.flush();
        tabsift::reportFailure("cannot read standard input: " +
                               errorText(reader.error()));
      }
    } else {
      const std::string& name = inputFiles[i];
      const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0) {
        const int error = errno;
        messages.flush();
        tabsift::reportFailure("cannot open input file '" + name +
                               "': " + errorText(error));
      } else {
        tabsift::LineReader reader(fd);
        input.readLines(reader);
        ::close(fd);
        if (reader.error() != 0) {
          // A directory opens but fails at its first read.
          messages.flush();
          tabsift::reportFailure(
              std::string(reader.nothingRead() ? "cannot open" : "cannot read") +
              " input file '" + name + "': " + errorText(reader.error()));
        }
      }
    }
    File lines = input.takeLines();
    if (!lines.empty()) {
      data.push_back(std::move(lines));
      fileInputs.push_back(i);
    }
    std::vector<std::string> comments = input.takeComments();
    if (comments.empty()) comments.emplace_back("\r\n");
    commentLines.push_back(std::move(comments));
  }
  messages.flush();
  fillInBlanks();
}

#define INSTANTIATE(T)                                          \
  template void DataOperations<T>::parseFiles(std::string); \
  template void DataOperations<T>::load();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
