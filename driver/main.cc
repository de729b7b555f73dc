// The program entry: parses the command line, creates the one table store for
// the chosen cell type and drives it through a run.
#include <unistd.h>

#include <exception>
#include <iostream>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "driver/command_line.h"
#include "driver/store_release.h"
#include "table/data_operations.h"
#include "base/diagnostics.h"
#include "base/fd.h"
#include "table/name_list.h"
#include "table/reading_stopped.h"

namespace po = boost::program_options;
using tabsift::Operation;

namespace {

std::unique_ptr<DataHandler> createStore(const po::variables_map& vm) {
  if (vm.count("int")) {
    tabsift::notice("Using Integers as data type");
    return std::make_unique<DataOperations<int>>();
  }
  if (vm.count("float")) {
    tabsift::notice("Using Float as data type");
    return std::make_unique<DataOperations<float>>();
  }
  return std::make_unique<DataOperations<double>>();
}

void passSettings(const po::variables_map& vm, DataHandler& store) {
  if (vm.count("tab")) store.tab();
  if (vm.count("blanks")) store.blanks(vm["blanks"].as<std::string>());
  if (vm.count("join")) store.join();
  if (vm.count("col")) store.col();
  if (vm.count("results")) store.results();
  if (vm.count("comments")) store.comments(vm["comments"].as<std::string>());
}

// The inputs are the names of the -i list followed by every word that is
// neither an option nor an option's value, in command-line order. Without
// either, the table is read from standard input.
void readInput(const po::variables_map& vm, const std::string& inputFiles,
               const std::vector<std::string>& words, DataHandler& store) {
  if (vm.count("input-files") || !words.empty()) {
    std::vector<std::string> names;
    if (vm.count("input-files")) names = tabsift::splitNameList(inputFiles);
    names.insert(names.end(), words.begin(), words.end());
    store.readFiles(std::move(names));
  } else {
    tabsift::say("read from stdin");
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

// Writes the help or version text to standard output: status 0, or 1
// after reporting a failed write.
int writeStandardOutput(const std::string& text) {
  const int error = tabsift::writeAll(STDOUT_FILENO, text.data(), text.size());
  if (error != 0) {
    tabsift::reportFailure("cannot write standard output: " +
                           tabsift::errorText(error));
  }
  tabsift::flushDiagnostics();
  return error != 0 ? 1 : 0;
}

// Ends a run that ran out of memory: the table is given back first, so that
// the message itself finds room.
int memoryExhausted(std::unique_ptr<DataHandler>& store, const char* step) {
  store.reset();
  tabsift::reportMemoryExhausted(step);
  tabsift::flushDiagnostics();
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string commandText = tabsift::commandText(argc, argv);
  std::string inputFiles;
  std::string outputFiles;
  std::unique_ptr<DataHandler> store;
  // What the run is doing, for the message when memory runs out.
  const char* step = "reading the command line";
  try {
    const tabsift::OptionGroups groups =
        tabsift::declareOptions(&inputFiles, &outputFiles);
    po::options_description parsing(80);
    parsing.add(groups.withoutArguments).add(groups.withArguments);
    po::variables_map vm;
    po::parsed_options parsed(&parsing);
    try {
      parsed = tabsift::parseCommandLine(argc, argv, parsing);
      po::store(parsed, vm);
    } catch (const std::bad_alloc&) {
      throw;
    } catch (const std::exception& e) {
      tabsift::say(std::string("Error while parsing command-line: ") +
                   e.what());
      tabsift::flushDiagnostics();
      return -1;
    }
    const std::vector<Operation> order = tabsift::operationOrder(
        tabsift::endOfOptions(argc, argv, parsed), argv);
    const std::vector<std::string> words = tabsift::inputWords(parsed);
    po::notify(vm);
    store = createStore(vm);
    if (vm.count("help") || argc <= 1) {
      return writeStandardOutput(tabsift::helpText(groups));
    }
    if (vm.count("version")) {
      return writeStandardOutput("version " TABSIFT_VERSION "\n");
    }
    passSettings(vm, *store);
    step = "reading the input";
    readInput(vm, inputFiles, words, *store);
    step = "working on the table";
    passOutputSettings(vm, outputFiles, *store);
    replay(order, vm, *store);
  } catch (const tabsift::ArgumentRejected& e) {
    // A malformed operation argument ends the run before any output.
    tabsift::say(e.what());
    tabsift::flushDiagnostics();
    return 1;
  } catch (const std::bad_alloc&) {
    return memoryExhausted(store, step);
  } catch (const tabsift::ReadingStopped&) {
    // Reported already; nothing is written, so no output file is replaced.
    tabsift::flushDiagnostics();
    return 1;
  } catch (const std::exception& e) {
    tabsift::say(std::string("While defining program options: ") + e.what());
    tabsift::flushDiagnostics();
    return 1;
  }
  // Writing lies outside the handler above: an exception here still ends
  // the run with a message and status 1 rather than an abort.
  tabsift::flushDiagnostics();
  try {
    store->setCommand(commandText);
    store->printOut();
    tabsift::releaseStoreAtExit(std::move(store));
  } catch (const std::bad_alloc&) {
    return memoryExhausted(store, "writing the output");
  } catch (const std::exception& e) {
    tabsift::reportFailure(e.what());
  }
  std::cout.flush();
  tabsift::flushDiagnostics();
  return tabsift::failureSeen() ? 1 : 0;
}
