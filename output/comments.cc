// The run header and the comment lines of the inputs, written into the
// stream of a table writer: in front of each input's table (commIn) or, when
// the inputs are joined into one stream, all together at the top (commOut).
#include <cstdlib>
#include <ctime>
#include <ostream>

#include "base/diagnostics.h"
#include "output/run_header.h"
#include "table/data_operations.h"

namespace {

constexpr int kCommentsOff = -1;
constexpr int kFirstComment = 1;
constexpr int kAllComments = 2;

void writeText(std::ostream& out, const std::string& text) {
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void writeLine(std::ostream& out, const std::string& text) {
  writeText(out, text);
  out.put('\n');
}

// The command line, the date line and, for merged data, the input files,
// each on one line whatever newlines the words hold.
template <typename Store>
void writeRunHeader(const Store& store, std::ostream& out) {
  out.put('#');
  writeLine(out, tabsift::oneLineText(store.command));
  out.put('#');
  writeLine(out, tabsift::runDateText(std::getenv("SOURCE_DATE_EPOCH"),
                                      std::time(nullptr)));
  if (store.mergeFlag) {
    writeLine(out,
              tabsift::oneLineText(tabsift::mergeHeaderText(store.inputFiles)));
  }
}

// The comment lines of one input that the comment mode asks for.
void writeCommentBlock(const std::vector<std::string>& lines, int mode,
                       std::ostream& out) {
  if (mode == kFirstComment && !lines.empty()) writeLine(out, lines.front());
  if (mode == kAllComments) {
    for (const std::string& line : lines) writeLine(out, line);
  }
}

}  // namespace

template <typename T>
void DataOperations<T>::comments(std::string mode) {
  if (mode == "off") {
    commentMode = kCommentsOff;
  } else if (mode == "all") {
    commentMode = kAllComments;
  } else if (mode == "1") {
    commentMode = kFirstComment;
  } else {
    tabsift::failArgument("Wrong comments argument");
  }
}

// Whether the inputs are joined or not: the ordinary layout calls this only
// without join, and one file per input takes each input's block either way.
template <typename T>
void DataOperations<T>::commIn(std::ostream* stream, int input) {
  if (commentMode == kCommentsOff) return;
  if (input == 0) writeRunHeader(*this, *stream);
  if (input >= 0 && static_cast<std::size_t>(input) < commentLines.size()) {
    writeCommentBlock(commentLines[static_cast<std::size_t>(input)],
                      commentMode, *stream);
  }
}

template <typename T>
void DataOperations<T>::commOut(std::ostream* stream) {
  if (!joinFlag || commentMode == kCommentsOff) return;
  writeRunHeader(*this, *stream);
  for (const std::vector<std::string>& lines : commentLines) {
    writeCommentBlock(lines, commentMode, *stream);
  }
}

#define INSTANTIATE(T)                                         \
  template void DataOperations<T>::comments(std::string);      \
  template void DataOperations<T>::commIn(std::ostream*, int); \
  template void DataOperations<T>::commOut(std::ostream*);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
