// DataHandler is the interface through which the driver runs a table store:
// the settings of a run, reading the input, the operations in command-line
// order and writing the result. Every operation works on the store's own
// state and returns nothing.
#pragma once

#include <string>
#include <vector>

#include "table/line_format.h"

class DataHandler {
 public:
  virtual ~DataHandler() {}

  virtual void swap(std::string request) = 0;
  virtual void parseFiles(std::string list) = 0;
  // Reads the inputs of `names`, in order, then their parameters; the
  // names are taken as they are (a comma is part of a name).
  virtual void readFiles(std::vector<std::string> names) = 0;
  virtual void load() = 0;
  virtual void join() = 0;
  virtual void tab() = 0;
  virtual void col() = 0;
  virtual void merge() = 0;
  virtual void tol(double tolerance) = 0;
  virtual void prec(int precision) = 0;
  virtual void blanks(std::string text) = 0;
  virtual void print(std::string selection) = 0;
  virtual void printOut() = 0;
  virtual void group(std::string request) = 0;
  virtual void comments(std::string mode) = 0;
  virtual void calculate(std::string request) = 0;
  virtual void setCommand(std::string command) = 0;
  virtual void setFilter(std::string request) = 0;
  virtual void setOutputFiles(std::string list) = 0;
  virtual void results() = 0;
  // How the data lines of the inputs are written; set before they are read.
  virtual void setLineFormat(tabsift::LineFormat format) = 0;
  // Each input's columns are named by its line of names; arguments may name
  // them, and the output names them.
  virtual void header() = 0;
};
