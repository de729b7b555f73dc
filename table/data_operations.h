// DataOperations<T> is the one table store, for cells of type int, float or
// double. It holds the settings of a run, the table of every input (files of
// lines of cells), each input's comment lines and named parameters, and the
// working state of the operations. The members are public so that unit tests
// can set up and inspect a store directly.
//
// The interface's members have their contracts in table/data_handler.h.
// Each member is defined in the source file of its subsystem, which
// instantiates it for the three cell types:
//   table/data_operations.cc  the constructor, destructor and setters
//   table/reader.cc           parseFiles, readFiles, load
//   table/parameters.cc       parseComments
//   table/blank_fill.cc       fillInBlanks
//   ops/filter.cc             setFilter, startFiltering
//   ops/swap.cc, ops/group.cc, ops/select.cc, ops/merge.cc
//                             swap, group, print, merge
//   stats/calculate.cc        calculate, count, sum
//   stats/mean_deviation.cc   mean, deviation, standardError
//   stats/median.cc           median
//   stats/lowest_highest.cc   lowest, highest
//   stats/results_only.cc     keepResultsOnly
//   output/writers.cc         setOutputFiles, printOut, printToStd,
//                             printToFile, printToFiles
//   output/comments.cc        comments, commIn, commOut
#pragma once

#include <cstddef>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "table/cell.h"
#include "table/column_names.h"
#include "table/data_handler.h"
#include "table/file_number_columns.h"
#include "table/line_format.h"
#include "table/size_list.h"
#include "table/table_file.h"

template <typename T>
class DataOperations : public DataHandler {
 public:
  // One cell: a number, or an absent cell (no number, value 0); made
  // absent by its default constructor, present by the one taking a T.
  using Value = tabsift::Cell<T>;
  // A line built on its own (a result line, a parameter line); a file hands
  // out its lines as views (`LineRef`) of the cells in its block, which
  // read and index as a Line does.
  using Line = std::vector<Value>;
  using LineRef = tabsift::LineRef<Value>;
  using File = tabsift::TableFile<Value>;

  DataOperations();
  ~DataOperations() override;

  // The interface, in declaration order.
  void swap(std::string request) override;
  void parseFiles(std::string list) override;
  void readFiles(std::vector<std::string> names) override;
  void load() override;
  void join() override;
  void tab() override;
  void col() override;
  void merge() override;
  void tol(double tolerance) override;
  void prec(int precision) override;
  void blanks(std::string text) override;
  void print(std::string selection) override;
  void printOut() override;
  void group(std::string request) override;
  void comments(std::string mode) override;
  void calculate(std::string request) override;
  void setCommand(std::string command) override;
  void setFilter(std::string request) override;
  void setOutputFiles(std::string list) override;
  void results() override;
  void setLineFormat(tabsift::LineFormat format) override;
  void header() override;

  // Members outside the interface.

  // Reads the named parameters (name = value) of every input's comment
  // lines into `parameters`, one map per input. Runs once, after load.
  void parseComments();

  // Pads every line shorter than the widest line of its file (of the whole
  // table when joinFlag is set) with absent cells at its end. Cells are only
  // added; run at the end of reading and of grouping.
  void fillInBlanks();

  // Keeps the lines that meet the stored filter (filterColumn, filterLogic,
  // filterOps, filterValues, tolerance), cut to filterKeepColumns, gathered
  // into one file. setFilter stores the filter and calls it; returns 0.
  int startFiltering();

  // The statistics of a calculation request. Each reads the snapshot
  // `lineSizes` that calculate took, so that results of earlier letters of
  // the same request are never taken as values, and appends its results
  // (one cell per line, or one line per file or for all files with colFlag)
  // as stats/scope_walk.h describes. calculate must have set lineSizes.
  void count();
  void sum();
  void mean();
  void median();
  void deviation();
  void standardError();
  void lowest();
  void highest();

  // With resultsFlag: replaces the snapshot's cells by the results that
  // the request appended, so that only the results remain. Runs at the end
  // of calculate, with lineSizes still the request's snapshot.
  void keepResultsOnly();

  // The three layouts of printOut: everything to standard output,
  // everything into the first output file, or table i into the output file
  // of its input. Each writes the comment blocks that commentMode asks for.
  void printToStd();
  void printToFile();
  void printToFiles();

  // The comment block of input `input` into `stream` (the run header with
  // the first input), as commentMode asks; nothing when joinFlag is set.
  void commIn(std::ostream* stream, int input);
  // All comment blocks at once, for the joined layout; nothing without
  // joinFlag.
  void commOut(std::ostream* stream);

  // Fields, in declaration order.
  std::size_t filterColumn = 0;
  bool joinFlag = false;
  bool mergeFlag = false;
  bool tabFlag = false;
  bool colFlag = false;
  char filterLogic = '0';
  T tolerance = 0;
  int precision = 0;
  std::string blankText = "--";
  int commentMode = 0;
  std::vector<std::string> inputFiles;
  std::vector<std::string> outputFiles;
  std::vector<File> data;
  std::vector<std::vector<std::string>> commentLines;
  std::vector<std::map<std::string, double>> parameters;
  std::vector<Line> resultLines;
  Line lineBuffer;
  std::vector<double> filterValues;
  std::vector<std::string> filterOps;
  std::vector<std::size_t> filterKeepColumns;
  std::vector<tabsift::SizeList> lineSizes;
  std::string command;

  // For each file of `data`, the 0-based position of the input it was read
  // from, so that every file meets its own input's parameters. Operations
  // that gather all lines into one file leave the single entry 0.
  std::vector<std::size_t> fileInputs;

  // The 0-based positions of the inputs that could not be opened or read in
  // full, in input order. An output file that names one of them is never
  // replaced by what little was read.
  std::vector<std::size_t> incompleteInputs;

  // Set by `results()`: every calculation request replaces the cells it
  // summarised by its results.
  bool resultsFlag = false;

  // How the data lines of the inputs are written: the delimiter between
  // cells (runs of blanks by default) and the decimal point; set by
  // `setLineFormat` before the input is read.
  tabsift::LineFormat lineFormat;

  // Set by `header()`: the columns have names. `columnNames` then holds, for
  // each file of `data`, the names of its columns (one per column, an empty
  // text for a column without a name); every operation moves them with
  // their columns. Empty without names.
  bool headerFlag = false;
  std::vector<tabsift::ColumnNames> columnNames;

  // The columns that hold the file numbers of a merged run; line
  // statistics leave them out.
  tabsift::FileNumberColumns fileNumberColumns;
};

extern template class DataOperations<int>;
extern template class DataOperations<float>;
extern template class DataOperations<double>;

// Applies X to each of the three cell types; source files that define members
// instantiate them with it, e.g.
//   #define INSTANTIATE(T) template void DataOperations<T>::swap(std::string);
//   TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
#define TABSIFT_FOR_EACH_CELL_TYPE(X) X(int) X(float) X(double)
