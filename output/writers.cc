// Output routing: every table goes to standard output, into the first
// output file, or into the output file of the input it came from, with the
// comment blocks of the inputs in front; the cells are laid out by
// TableText, and output files are written under the policy of
// output/output_policy.h.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/check.h"
#include "base/diagnostics.h"
#include "base/fd.h"
#include "output/block_sink.h"
#include "output/output_names.h"
#include "output/output_policy.h"
#include "output/output_prompt.h"
#include "output/table_text.h"
#include "table/data_operations.h"
#include "table/name_list.h"

namespace {

using tabsift::BlockSink;

template <typename T>
tabsift::TableText<T> tableText(const DataOperations<T>& store) {
  return tabsift::TableText<T>(store.precision, store.tabFlag, store.blankText);
}

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

// With named columns, the line of names in front of table i; joined
// tables form one table, named once in front of the first. Kept out of
// line: inlined, it costs the loop over the cells an instruction a line.
template <typename T>
[[gnu::noinline]] void writeNamesBefore(const DataOperations<T>& store,
                                        const tabsift::TableText<T>& text,
                                        BlockSink& sink, std::size_t i) {
  if (!store.headerFlag) return;
  TABSIFT_ASSERT(store.columnNames.size() == store.data.size());
  if (!store.joinFlag) {
    text.writeNames(sink, store.columnNames[i], store.data[i].widest());
  } else if (i == 0) {
    std::size_t width = 0;
    for (const auto& file : store.data) width = file.widest(width);
    text.writeNames(sink, tabsift::gatheredNames(store.columnNames), width);
  }
}

// Comment blocks and tables in the layout of standard output and of the
// single output file: with joined inputs all comment blocks at the top and
// the tables one after another, otherwise each table after its comment
// block and followed by an empty line.
template <typename T>
void writeAllTables(DataOperations<T>& store, BlockSink& sink) {
  std::ostream stream(&sink);
  const tabsift::TableText<T> text = tableText(store);
  store.commOut(&stream);
  std::size_t k = 0;
  for (std::size_t i = 0; i < store.data.size(); ++i) {
    if (!store.joinFlag) writeBlocksBefore(store, stream, i, k);
    writeNamesBefore(store, text, sink, i);
    text.writeTable(sink, store.data[i]);
    if (!store.joinFlag) sink.append("\n");
  }
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
    const bool inputUsedUp =
        inputFiles.empty() || std::any_of(inputFiles.begin(), inputFiles.end(),
                                          tabsift::isStandardStreamName);
    const tabsift::OutputChoice choice =
        tabsift::askOutputChoice(std::cin, std::cout, inputUsedUp);
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
  tabsift::writeOutputFile(
      outputFiles.front(), incomplete,
      [this](BlockSink& sink) { writeAllTables(*this, sink); });
}

// Output file k gets the comment block of input k (the run header with the
// first), joined or not, and the tables read from input k; every name is
// written, so a name whose input gave no table, or whose lines went into
// the first table, holds only its comment block.
template <typename T>
void DataOperations<T>::printToFiles() {
  if (tabsift::refuseSameFile(outputFiles)) return;
  const tabsift::IncompleteInputs incomplete(inputFiles, incompleteInputs);
  const tabsift::TableRouting routing =
      tabsift::routeTables(fileInputs, data.size(), outputFiles.size());
  for (std::size_t i : routing.unplaced) {
    tabsift::reportFailure("no output file named for table " +
                           std::to_string(i + 1) + "; it is not written");
  }
  const tabsift::TableText<T> text = tableText(*this);
  for (std::size_t k = 0; k < outputFiles.size(); ++k) {
    tabsift::writeOutputFile(outputFiles[k], incomplete, [&](BlockSink& sink) {
      {
        std::ostream stream(&sink);
        commIn(&stream, static_cast<int>(k));
      }
      for (std::size_t i : routing.perOutput[k]) {
        if (headerFlag) text.writeNames(sink, columnNames[i], data[i].widest());
        text.writeTable(sink, data[i]);
      }
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
