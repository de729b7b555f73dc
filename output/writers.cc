// Output routing and the table writers: every table goes to standard output,
// into the first output file, or into the output file of the input it came
// from, laid out as one text line per stored line, every cell followed by
// the separator.
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "base/diagnostics.h"
#include "base/fd.h"
#include "number/number_format.h"
#include "output/block_sink.h"
#include "output/output_file.h"
#include "output/output_names.h"
#include "output/output_prompt.h"
#include "table/data_operations.h"
#include "table/name_list.h"

namespace {

using tabsift::BlockSink;

// Writes the lines of tables into a sink, formatting each cell in place.
template <typename T>
class TableText {
 public:
  using Store = DataOperations<T>;

  explicit TableText(const Store& store)
      : precision_(store.precision),
        separator_(store.tabFlag ? '\t' : ' '),
        blank_(store.blankText),
        room_(tabsift::numberRoom(store.precision) + 1) {}

  void writeTable(BlockSink& sink, const typename Store::File& table) const {
    for (const auto& line : table) {
      for (const typename Store::Value& cell : line) {
        if (cell.present()) {
          writeNumber(sink, cell.value());
        } else {
          sink.append(blank_);
          char* end = sink.reserve(1);
          *end = separator_;
          sink.commit(end + 1);
        }
      }
      char* end = sink.reserve(1);
      *end = '\n';
      sink.commit(end + 1);
    }
  }

 private:
  void writeNumber(BlockSink& sink, T value) const {
    char* out = sink.reserve(room_);
    if constexpr (std::is_same_v<T, int>) {
      out = tabsift::formatInt(value, out);
    } else {
      const tabsift::NumberText text =
          tabsift::formatDouble(static_cast<double>(value), precision_, out);
      if (text.padZeros != 0) {
        writePadded(sink, out, text);
        return;
      }
      out += text.length;
    }
    *out++ = separator_;
    sink.commit(out);
  }

  // A number whose precision asks for more digits than a double holds: the
  // missing zeros go in between the formatted head and tail.
  void writePadded(BlockSink& sink, char* out,
                   const tabsift::NumberText& text) const {
    const std::string tail(out + text.padAt, text.length - text.padAt);
    sink.commit(out + text.padAt);
    sink.appendFill('0', text.padZeros);
    sink.append(tail);
    sink.append(std::string_view(&separator_, 1));
  }

  int precision_;
  char separator_;
  const std::string& blank_;
  std::size_t room_;
};

// The comment blocks in front of table i of the ordinary layout: block i,
// or all blocks in front of the first table when there are fewer tables than
// inputs. `k` counts the blocks written.
template <typename T>
void writeBlocksBefore(DataOperations<T>& store, std::ostream& stream,
                       std::size_t i, std::size_t& k) {
  if (store.data.size() >= store.commentLines.size()) {
    store.commIn(&stream, static_cast<int>(i));
    return;
  }
  for (; k < store.commentLines.size(); ++k) {
    store.commIn(&stream, static_cast<int>(k));
  }
}

// Comment blocks and tables in the layout of standard output and of the
// single output file: with joined inputs all comment blocks at the top and
// the tables one after another, otherwise each table after its comment
// block and followed by an empty line.
template <typename T>
void writeAllTables(DataOperations<T>& store, BlockSink& sink) {
  std::ostream stream(&sink);
  const TableText<T> text(store);
  store.commOut(&stream);
  std::size_t k = 0;
  for (std::size_t i = 0; i < store.data.size(); ++i) {
    if (!store.joinFlag) writeBlocksBefore(store, stream, i, k);
    text.writeTable(sink, store.data[i]);
    if (!store.joinFlag) sink.append("\n");
  }
}

void reportFileFailure(const std::string& name, int error) {
  tabsift::reportFailure("cannot write output file '" + name +
                         "': " + tabsift::errorText(error));
}

// Writes one output file through `write(sink)`: complete or not at all when
// it replaces a file, and never over an input that was not read in full.
template <typename Write>
void writeOutputFile(const std::string& name,
                     const tabsift::IncompleteInputs& incomplete,
                     const Write& write) {
  if (const std::optional<std::string> input = incomplete.inputAt(name)) {
    tabsift::reportFailure("output file '" + name +
                           "' is left untouched: it is " + *input +
                           ", which was not read in full");
    return;
  }
  tabsift::OutputFile file(name);
  if (!file.valid()) {
    reportFileFailure(name, file.error());
    return;
  }
  int error;
  {
    BlockSink sink(file.fd());
    write(sink);
    error = sink.flush() ? 0 : sink.error();
  }
  if (error != 0) {
    file.abandon();
  } else {
    error = file.commit();
  }
  if (error != 0) reportFileFailure(name, error);
}

// Refuses a list in which two names denote one file, before anything is
// written: true when refused.
bool refuseSameFile(const std::vector<std::string>& names) {
  const auto same = tabsift::findSameFile(names);
  if (!same) return false;
  tabsift::reportFailure("output files '" + names[same->first] + "' and '" +
                         names[same->second] +
                         "' are the same file; nothing written");
  return true;
}

}  // namespace

template <typename T>
void DataOperations<T>::setOutputFiles(std::string list) {
  for (std::string& name : tabsift::splitNameList(list)) {
    outputFiles.push_back(std::move(name));
  }
}

template <typename T>
void DataOperations<T>::printOut() {
  const std::size_t out = outputFiles.size();
  const std::size_t in = inputFiles.size();
  if (out == 0) {
    printToStd();
  } else if (out == 1 && (mergeFlag || joinFlag || in == 1)) {
    printToFile();
  } else if (in == out) {
    printToFiles();
  } else {
    // Data read from standard input has used it up.
    tabsift::flushDiagnostics();
    const tabsift::OutputChoice choice =
        tabsift::askOutputChoice(std::cin, std::cout, inputFiles.empty());
    switch (choice) {
      case tabsift::OutputChoice::kStandardOutput: printToStd(); break;
      case tabsift::OutputChoice::kFirstFile: printToFile(); break;
      case tabsift::OutputChoice::kNothing: break;
      case tabsift::OutputChoice::kNoValidAnswer:
        tabsift::reportFailure(
            "no answer 0, 1 or 2 to the output question before the end of "
            "input; nothing written");
        break;
    }
  }
}

template <typename T>
void DataOperations<T>::printToStd() {
  // Whatever went through the standard streams (the prompt) comes first.
  std::cout.flush();
  std::fflush(stdout);
  BlockSink sink(STDOUT_FILENO);
  writeAllTables(*this, sink);
  if (!sink.flush()) {
    tabsift::reportFailure("cannot write standard output: " +
                           tabsift::errorText(sink.error()));
  }
}

template <typename T>
void DataOperations<T>::printToFile() {
  if (outputFiles.empty()) return;
  const tabsift::IncompleteInputs incomplete(inputFiles, incompleteInputs);
  writeOutputFile(outputFiles.front(), incomplete,
                  [this](BlockSink& sink) { writeAllTables(*this, sink); });
}

// Output file k gets the comment block of input k (the run header with the
// first), joined or not, and the tables read from input k; every name is
// written, so a name whose input gave no table, or whose lines went into
// the first table, holds only its comment block.
template <typename T>
void DataOperations<T>::printToFiles() {
  if (refuseSameFile(outputFiles)) return;
  const tabsift::IncompleteInputs incomplete(inputFiles, incompleteInputs);
  const tabsift::TableRouting routing =
      tabsift::routeTables(fileInputs, data.size(), outputFiles.size());
  for (std::size_t i : routing.unplaced) {
    tabsift::reportFailure("no output file named for table " +
                           std::to_string(i + 1) + "; it is not written");
  }
  const TableText<T> text(*this);
  for (std::size_t k = 0; k < outputFiles.size(); ++k) {
    writeOutputFile(outputFiles[k], incomplete, [&](BlockSink& sink) {
      {
        std::ostream stream(&sink);
        commIn(&stream, static_cast<int>(k));
      }
      for (std::size_t i : routing.perOutput[k]) text.writeTable(sink, data[i]);
    });
  }
}

#define INSTANTIATE(T)                                          \
  template void DataOperations<T>::setOutputFiles(std::string); \
  template void DataOperations<T>::printOut();                  \
  template void DataOperations<T>::printToStd();                \
  template void DataOperations<T>::printToFile();               \
  template void DataOperations<T>::printToFiles();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
