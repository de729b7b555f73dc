// The program entry: parses the command line, creates the one table store for
// the chosen cell type and drives it through a run.
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "driver/command_line.h"
#include "driver/store_release.h"
#include "table/data_operations.h"
#include "table/diagnostics.h"

namespace po = boost::program_options;
using tabsift::Operation;

namespace {

std::unique_ptr<DataHandler> createStore(const po::variables_map& vm) {
  if (vm.count("int")) {
    std::clog << "Using Integers as data type" << std::endl;
    return std::make_unique<DataOperations<int>>();
  }
  if (vm.count("float")) {
    std::clog << "Using Float as data type" << std::endl;
    return std::make_unique<DataOperations<float>>();
  }
  return std::make_unique<DataOperations<double>>();
}

void passSettings(const po::variables_map& vm, DataHandler& store) {
  if (vm.count("tab")) store.tab();
  if (vm.count("blanks")) store.blanks(vm["blanks"].as<std::string>());
  if (vm.count("join")) store.join();
  if (vm.count("col")) store.col();
  if (vm.count("comments")) store.comments(vm["comments"].as<std::string>());
}

void readInput(const po::variables_map& vm, const std::string& inputFiles,
               DataHandler& store) {
  if (vm.count("input-files")) {
    store.parseFiles(inputFiles);
  } else {
    std::cerr << "read from stdin" << std::endl;
    store.load();
  }
}

void passOutputSettings(const po::variables_map& vm,
                        const std::string& outputFiles, DataHandler& store) {
  if (vm.count("output-files")) store.setOutputFiles(outputFiles);
  if (vm.count("tolerance")) store.tol(vm["tolerance"].as<double>());
  if (vm.count("prec")) store.prec(vm["prec"].as<int>());
  if (vm.count("merge")) store.merge();
}

// Runs every recorded operation in command-line order with its option's
// value. A recorded switch word whose option holds no value (the parser took
// the word as another option's argument) fails the value lookup.
void replay(const std::vector<Operation>& order, const po::variables_map& vm,
            DataHandler& store) {
  for (Operation op : order) {
    std::string value = vm[tabsift::optionName(op)].as<std::string>();
    switch (op) {
      case Operation::kCalculate: store.calculate(value); break;
      case Operation::kFilter: store.setFilter(value); break;
      case Operation::kGroup: store.group(value); break;
      case Operation::kPrint: store.print(value); break;
      case Operation::kSwap: store.swap(value); break;
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string commandText = tabsift::commandText(argc, argv);
  const std::vector<Operation> order = tabsift::operationOrder(argc, argv);
  std::string inputFiles;
  std::string outputFiles;
  std::unique_ptr<DataHandler> store;
  try {
    const tabsift::OptionGroups groups =
        tabsift::declareOptions(&inputFiles, &outputFiles);
    po::options_description parsing(80);
    parsing.add(groups.withoutArguments).add(groups.withArguments);
    po::variables_map vm;
    try {
      po::store(po::command_line_parser(argc, argv).options(parsing).run(), vm);
    } catch (const std::exception& e) {
      std::cerr << "Error while parsing command-line: " << e.what() << "\n";
      return -1;
    }
    po::notify(vm);
    store = createStore(vm);
    if (vm.count("help") || argc <= 1) {
      std::cout << tabsift::helpText(groups);
      return 0;
    }
    if (vm.count("version")) {
      std::cout << "version 1.1\n";
      return 0;
    }
    passSettings(vm, *store);
    readInput(vm, inputFiles, *store);
    passOutputSettings(vm, outputFiles, *store);
    replay(order, vm, *store);
  } catch (const std::exception& e) {
    std::cerr << "While defining program options: " << e.what() << "\n";
    return 1;
  }
  // Writing lies outside the handler above: an exception here (memory
  // exhausted while writing) still ends the run with a message and status 1
  // rather than an abort.
  try {
    store->setCommand(commandText);
    store->printOut();
    tabsift::releaseStoreAtExit(std::move(store));
  } catch (const std::exception& e) {
    std::cerr << "tabsift: " << e.what() << "\n";
    return 1;
  }
  std::cout.flush();
  return tabsift::failureSeen() ? 1 : 0;
}
