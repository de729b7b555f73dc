// Reading the input files, or standard input, into the table: every data
// line becomes a line of cells, every comment line is kept as text, and each
// input gets its comment entry even when it yields nothing.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <memory>
#include <new>
#include <optional>
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

// The longest part of a token that a message shows.
constexpr std::size_t kShownToken = 40;

// What reading keeps from one input to the next: the buffer the text is
// read into, the cells of the line being read, the block the lines of an
// input are gathered in and the room for unquoted fields, so that an input
// costs no fresh memory beyond its own cells.
template <typename T>
struct ReadingScratch {
  tabsift::ReadBuffer text;
  typename DataOperations<T>::Line cells;
  typename DataOperations<T>::File lines;
  std::string unquoted;
};

// How the line of names of an input is read (--header): `blank` is the
// text of an absent cell, which is no name.
struct NamesReading {
  std::string_view blank;
};

// A cell's value as the shortest text that reads back to it.
template <typename T>
std::string valueText(T value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

// What the note on a token read only in part suggests, from the character
// after its number: the delimiter or the decimal point that would read it.
std::string_view partialReadHint(char next, const tabsift::LineFormat& format) {
  if (next == ';' && format.delimiter != ';') {
    return "; give -d ';' if ';' separates the cells";
  }
  if (next != ',') return "";
  if (format.decimalComma) {
    return format.delimiter == 0 ? "; give -d ',' if ',' separates the cells"
                                 : "";
  }
  return format.delimiter == 0
             ? "; give -d ',' if ',' separates the cells, --decimal-comma if "
               "',' is the decimal point"
             : "; give --decimal-comma if ',' is the decimal point";
}

// The note on the first token of an input that was read only in part.
std::string partialReadNote(const std::string& input, std::size_t lineNumber,
                            const tabsift::PartialToken& partial,
                            const std::string& value,
                            const tabsift::LineFormat& format) {
  std::string shown = partial.token.substr(0, kShownToken);
  if (partial.token.size() > kShownToken) shown += "...";
  std::string note = input + ", line " + std::to_string(lineNumber) +
                     ": token '" + shown + "' read only in part, as " + value;
  note.append(partialReadHint(partial.token[partial.length], format));
  return note;
}

// Where the text of a line starts, past its leading blanks: its size for a
// blank line.
inline std::size_t textStart(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && tabsift::isDataDelimiter(line[i])) ++i;
  return i;
}

// Turns the lines of one input into its table, comment lines and, when
// `names` is given, the names of its columns.
template <typename T>
class InputReader {
 public:
  using File = typename DataOperations<T>::File;

  // `position` is the 0-based position of the input in the list, `name`
  // its name (null for standard input).
  InputReader(std::size_t position, const std::string* name,
              const tabsift::LineFormat& format, ReadingScratch<T>& scratch,
              std::optional<NamesReading> names)
      : position_(position),
        name_(name),
        format_(format),
        plain_(format.delimiter == 0 && !format.decimalComma),
        scratch_(scratch.cells),
        lines_(scratch.lines),
        unquoted_(scratch.unquoted),
        names_(names) {}

  void readLines(tabsift::LineReader& reader) {
    if (names_) readUpToNames(reader);
    if (plain_) {
      readLinesAs<true>(reader);
    } else {
      readLinesAs<false>(reader);
    }
  }

  // Takes every line, the default format (`Plain`) by the fastest path,
  // starting with the line the names were looked for in when it is data.
  template <bool Plain>
  void readLinesAs(tabsift::LineReader& reader) {
    std::size_t number = linesBefore_;  // blank and comment lines counted too
    if (!pending_.empty()) take<Plain>(pending_, ++number);
    std::string_view line;
    while (reader.next(&line)) take<Plain>(line, ++number);
  }

  template <bool Plain>
  void take(std::string_view line, std::size_t number) {
    const std::size_t i = textStart(line);
    if (i == line.size()) return;
    if (line[i] == '#') {
      comments_.emplace_back(line.substr(i));
      return;
    }
    scratch_.clear();
    std::size_t invalid =
        Plain ? tabsift::appendLineCells<T>(line.substr(i), scratch_, unnoted_)
              : tabsift::appendFormattedCells<T>(line, format_, scratch_,
                                                 unnoted_, unquoted_);
    for (; invalid > 0; --invalid) tabsift::say(kInvalidValue, position_ + 1);
    if (unnoted_ != nullptr && unnoted_->found) notePartialRead(number);
    lines_.appendPadded(scratch_.data(), scratch_.size());
  }

  // The lines, in a block of their own sized to fit.
  File takeLines() { return lines_.takeExact(); }
  std::vector<std::string> takeComments() { return std::move(comments_); }
  // The names of the columns (none before the first data line) and whether
  // they are numbers only.
  const tabsift::NamesLine& namesLine() const { return namesLine_; }

 private:
  // Reads the lines up to the first data line, which holds the names or
  // follows the comment line that does; that line is left pending when it
  // is data. The line loop alone takes lines into the table, so that it is
  // the same loop with names or without.
  void readUpToNames(tabsift::LineReader& reader) {
    std::string_view line;
    bool afterComment = false;
    while (reader.next(&line)) {
      ++linesBefore_;
      const std::size_t i = textStart(line);
      const bool comment = i < line.size() && line[i] == '#';
      if (i < line.size() && !comment) {
        std::optional<std::string_view> before;
        if (afterComment) before = comments_.back();
        namesLine_ =
            tabsift::chooseNamesLine(before, line, format_, names_->blank);
        if (namesLine_.fromComment) {
          pending_ = line;  // valid until the next line is read
          --linesBefore_;
        }
        return;
      }
      if (comment) comments_.emplace_back(line.substr(i));
      afterComment = comment;
    }
  }

  void notePartialRead(std::size_t number) {
    const std::string value = valueText(scratch_[partial_.column].value());
    tabsift::warn(partialReadNote(tabsift::inputLabel(name_), number, partial_,
                                  value, format_));
    unnoted_ = nullptr;
  }

  std::size_t position_;
  const std::string* name_;
  const tabsift::LineFormat& format_;
  // The default format, read by the fastest path.
  bool plain_;
  typename DataOperations<T>::Line& scratch_;
  File& lines_;
  std::string& unquoted_;
  std::vector<std::string> comments_;
  // The first token of the input read only in part, once found; the
  // reading looks for it through `unnoted_` until it has been noted.
  tabsift::PartialToken partial_;
  tabsift::PartialToken* unnoted_ = &partial_;
  // How to read the names, the names found, the lines read up to them and
  // the first data line when it is still to be taken.
  std::optional<NamesReading> names_;
  tabsift::NamesLine namesLine_;
  std::size_t linesBefore_ = 0;
  std::string_view pending_;
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

template <typename T>
std::optional<NamesReading> namesReading(const DataOperations<T>& store) {
  if (!store.headerFlag) return std::nullopt;
  return NamesReading{store.blankText};
}

// The table of input `i` joins the store with the names of its columns; a
// names line wider than the data widens the table with absent cells, so
// that every name keeps its column.
template <typename T>
void keepTable(DataOperations<T>& store, std::size_t i,
               typename DataOperations<T>::File lines,
               const tabsift::NamesLine& namesLine, const std::string* name) {
  if (store.headerFlag && namesLine.onlyNumbers) {
    tabsift::warn("the names line of " + inputLabel(name) +
                  " holds numbers only");
  }
  if (lines.empty()) return;
  if (store.headerFlag) {
    if (namesLine.names.size() > lines.widest()) {
      lines.padTo(namesLine.names.size());
    }
    store.columnNames.push_back(namesLine.names);
  }
  store.data.push_back(std::move(lines));
  store.fileInputs.push_back(i);
}

// Reads one input from `fd` into the store as input `i`, decoding it when it
// is compressed. A read that fails midway keeps the lines before the damage
// and marks the input incomplete. Memory running out ends the run: the
// partial input is dropped, the failure reported and ReadingStopped thrown.
template <typename T>
void readInput(DataOperations<T>& store, std::size_t i, int fd,
               const std::string* name, ReadingScratch<T>& scratch) {
  try {
    InputReader<T> input(i, name, store.lineFormat, scratch,
                         namesReading(store));
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
    keepTable(store, i, input.takeLines(), input.namesLine(), name);
    std::vector<std::string> comments = input.takeComments();
    if (comments.empty()) comments.emplace_back("\r\n");
    store.commentLines.push_back(std::move(comments));
  } catch (const std::bad_alloc& e) {
    // The partial input is gone by now, and so is the line being read,
    // which leaves room for the message.
    typename DataOperations<T>::Line().swap(scratch.cells);
    scratch.lines.clear();
    store.incompleteInputs.push_back(i);
    // A stream refused for the memory it would need says how much.
    const bool refused = dynamic_cast<const tabsift::TooMuchMemory*>(&e);
    tabsift::reportMemoryExhausted(
        "reading " + inputLabel(name) +
        (refused ? std::string(": ") + e.what() : std::string()));
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
    if (tabsift::isStandardStreamName(name)) {
      readInput(store, i, STDIN_FILENO, nullptr, scratch);
      continue;
    }
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
