// DataHandler is the interface through which the driver runs a table store:
// the settings of a run, reading the input, the operations in command-line
// order and writing the result. Every operation works on the store's own
// state and returns nothing.
//
// The order of a run (driver/main.cc): the settings tab, blanks, join, col,
// results, comments, setLineFormat, header; then readFiles (or parseFiles, or
// load alone for standard input); then setOutputFiles, tol, prec, merge; then
// calculate, setFilter, group, print and swap in the order their switches stood
// on the command line; then setCommand and printOut. A setting must be stored
// before the step that reads it: each contract below says which.
//
// A malformed operation argument ends the run before any output: the
// operation throws ArgumentRejected (base/diagnostics.h) with its
// "Wrong ... argument" text. Memory running out throws std::bad_alloc.
//
// Where each operation is defined:
//   table/data_operations.cc  join, tab, col, tol, prec, blanks, setCommand,
//                             results, setLineFormat, header
//   table/reader.cc           parseFiles, readFiles, load
//   ops/swap.cc               swap
//   ops/merge.cc              merge
//   ops/filter.cc             setFilter
//   ops/group.cc              group
//   ops/select.cc             print
//   stats/calculate.cc        calculate
//   output/comments.cc        comments
//   output/writers.cc         printOut, setOutputFiles
#pragma once

#include <string>
#include <vector>

#include "table/line_format.h"

class DataHandler {
 public:
  virtual ~DataHandler() {}

  // Swaps two columns ("1,2,3": columns 1 and 2 of file 3) cell for cell in
  // one file of the table, or in every file when join() was called. Reads
  // the table as the earlier operations left it; changes only its cells.
  virtual void swap(std::string request) = 0;

  // Splits the comma-separated `list` into names and does readFiles with
  // them. The settings must be stored before.
  virtual void parseFiles(std::string list) = 0;

  // Appends `names` to the input list, in order, reads every input (load)
  // and then the named parameters of their comment lines; the names are
  // taken as they are (a comma is part of a name). The settings (join in
  // particular, which blank filling reads) must be stored before; called
  // once per run.
  virtual void readFiles(std::vector<std::string> names) = 0;

  // Reads every input of the input list in order, or standard input when
  // the list is empty, into one file of the table per input that has data
  // lines, keeps each input's comment lines, and pads short lines with
  // absent cells. Invalid tokens are noted and become absent cells; an
  // input that cannot be read in full is reported and marked incomplete.
  // Throws ReadingStopped after reporting memory exhaustion.
  virtual void load() = 0;

  // Settings, each stored for the steps that read it and changing nothing
  // else. join: the inputs form one table for blank filling, swap,
  // statistics and output (before reading). tab: cells are separated by
  // tabs on output. col: statistics run down columns (before calculate).
  virtual void join() = 0;
  virtual void tab() = 0;
  virtual void col() = 0;

  // Puts in front of every line the number (from 1) of the file of the
  // table that holds it, and marks the run as merged (the output then lists
  // the inputs). Runs after reading and before the operations.
  virtual void merge() = 0;

  // Stores the filter's tolerance, converted to the cell type (an int store
  // truncates it toward zero). Must come before setFilter, which reads it.
  virtual void tol(double tolerance) = 0;

  // Stores the number of significant digits numbers are written with (0 or
  // less: the default of six). Read by printOut.
  virtual void prec(int precision) = 0;

  // Stores the text written for an absent cell ("--" until set; empty is
  // allowed). Read by printOut.
  virtual void blanks(std::string text) = 0;

  // The selection: rebuilds every line from the items of `selection` in
  // order, a column number giving the line's cell there and a parameter
  // name the value of that parameter in the line's input, and gathers all
  // lines into one file; without a column item, one line per file. Reads
  // the parameters (so the inputs must have been read by readFiles).
  virtual void print(std::string selection) = 0;

  // Writes the tables, with the run header and the comment lines as
  // comments() asked, to standard output or to the output files; when the
  // number of output names fits no layout, asks on standard output which
  // one to use. Reads every setting and the command text: the last call of
  // a run. Failures to write are reported and make the exit status 1.
  virtual void printOut() = 0;

  // Grouping: by the value in a column (one line per distinct value, sorted,
  // holding the value and then every other cell of its lines), or with "f"
  // the files side by side line by line; either way one file remains, with
  // short lines padded.
  virtual void group(std::string request) = 0;

  // Stores which comment lines go to the output: "off" none, "1" the run
  // header, "all" the header and every input's comment lines. Read by
  // printOut.
  virtual void comments(std::string mode) = 0;

  // Reads the whole request ("a,s,m,c") and runs its statistics in order
  // over the table's shape at this moment: along every line, appending one
  // cell per statistic, or down every column when col() was called,
  // appending one line per statistic to each file (or to the last file,
  // once for all files, when join() was called). With results(), the
  // results then replace the cells they summarise.
  virtual void calculate(std::string request) = 0;

  // Stores the text of the command line for the run header. Read by
  // printOut.
  virtual void setCommand(std::string command) = 0;

  // The row filter: reads the request ("1,gt2", "2,ge0,a,lt10,0,1,3"),
  // then keeps the lines whose cell in the condition column meets the
  // conditions within the tolerance of tol(), cut to the kept columns, and
  // gathers them into one file at once. tol() must come before.
  virtual void setFilter(std::string request) = 0;

  // Stores the comma-separated output file names. Read by printOut.
  virtual void setOutputFiles(std::string list) = 0;

  // Sets results only: every later calculation request replaces the cells
  // it summarised by its results. Must come before calculate.
  virtual void results() = 0;

  // Stores how the data lines of the inputs are written (the delimiter
  // between cells, the decimal comma). Must come before reading, which
  // splits lines by it; the names line is split the same way.
  virtual void setLineFormat(tabsift::LineFormat format) = 0;

  // Sets named columns: reading then takes each input's line of names
  // (a comment just before the first data line, or the first data line),
  // every operation resolves names in its argument against the names as
  // they stand and moves the names with their columns, and printOut starts
  // each table with a line of names. Must come before reading.
  virtual void header() = 0;
};
