// DataOperations<T> is the one table store, for cells of type int, float or
// double. It holds the settings of a run, the table of every input (files of
// lines of cells), each input's comment lines and named parameters, and the
// working state of the operations. Each operation lives in the source file of
// its subsystem (table/, ops/, stats/, output/); the members are public so
// that unit tests can set up and inspect a store directly.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

#include "table/cell.h"
#include "table/data_handler.h"
#include "table/file_number_columns.h"
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

  // Members outside the interface.
  void parseComments();
  void fillInBlanks();
  int startFiltering();
  void count();
  void sum();
  void mean();
  void median();
  void deviation();
  void standardError();
  void lowest();
  void highest();
  void keepResultsOnly();
  void printToStd();
  void printToFile();
  void printToFiles();
  void commIn(std::ostream* stream, int input);
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
