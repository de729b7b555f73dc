// The program entry: parses the command line, creates the one table store for
// the chosen cell type and drives it through a run.
#include <unistd.h>

#include <algorithm>
#include <exception>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/diagnostics.h"
#include "base/fd.h"
#include "driver/command_line.h"
#include "output/removal_on_signal.h"
#include "table/data_operations.h"
#include "table/name_list.h"
#include "table/reading_stopped.h"

namespace po = boost::program_options;
using tabsift::Operation;

namespace {

// The exit statuses of a run.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUnparsable = 255;  // the command line cannot be parsed

// The command line as parsed. The texts of -i and -o are bound to the option
// declarations by address, so a CommandLine stays where it was made.
struct CommandLine {
  CommandLine() = default;
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  std::string inputFiles;
  std::string outputFiles;
  tabsift::OptionGroups groups =
      tabsift::declareOptions(&inputFiles, &outputFiles);
  po::variables_map vm;
  tabsift::LineFormat format;
  std::vector<Operation> order;
  std::vector<std::string> words;
};

// The store of a run and what the run is doing, for the message when memory
// runs out.
struct Run {
  std::unique_ptr<DataHandler> store;
  const char* step = "reading the command line";
};

// Parses the words into `line`; false after saying that the option library
// cannot parse them. Nothing has been created or read at that point.
bool parseWords(int argc, const char* const* argv, CommandLine& line) {
  po::options_description parsing(80);
  parsing.add(line.groups.withoutArguments).add(line.groups.withArguments);
  po::parsed_options parsed(&parsing);
  try {
    parsed = tabsift::parseCommandLine(argc, argv, parsing);
    po::store(parsed, line.vm);
    line.format = tabsift::lineFormat(line.vm);
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    tabsift::say(std::string("Error while parsing command-line: ") + e.what());
    tabsift::flushDiagnostics();
    return false;
  }
  line.order = tabsift::operationOrder(parsed);
  line.words = tabsift::inputWords(parsed);
  po::notify(line.vm);
  return true;
}

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

// The help text when it is asked for (or nothing else is given), else the
// version text when that is; nothing for a run on tables.
std::optional<std::string> informationText(const CommandLine& line, int argc) {
  if (line.vm.count("help") || argc <= 1) {
    return tabsift::helpText(line.groups);
  }
  if (line.vm.count("version")) return "version " TABSIFT_VERSION "\n";
  return std::nullopt;
}

// Writes the help or version text to standard output.
int writeStandardOutput(const std::string& text) {
  const int error = tabsift::writeAll(STDOUT_FILENO, text.data(), text.size());
  if (error != 0) {
    tabsift::reportFailure("cannot write standard output: " +
                           tabsift::errorText(error));
  }
  tabsift::flushDiagnostics();
  return error != 0 ? kExitFailure : kExitSuccess;
}

void passSettings(const CommandLine& line, DataHandler& store) {
  const po::variables_map& vm = line.vm;
  store.setLineFormat(line.format);
  if (vm.count("tab")) store.tab();
  if (vm.count("blanks")) store.blanks(vm["blanks"].as<std::string>());
  if (vm.count("join")) store.join();
  if (vm.count("col")) store.col();
  if (vm.count("results")) store.results();
  if (vm.count("header")) store.header();
  if (vm.count("comments")) store.comments(vm["comments"].as<std::string>());
}

// The inputs: the names of the -i list followed by every word that is
// neither an option nor an option's value, in command-line order. Without
// either, the table is read from standard input; "-" among them names it,
// which can be read only once.
void readInput(const CommandLine& line, DataHandler& store) {
  if (line.vm.count("input-files") || !line.words.empty()) {
    std::vector<std::string> names;
    if (line.vm.count("input-files")) {
      names = tabsift::splitNameList(line.inputFiles);
    }
    names.insert(names.end(), line.words.begin(), line.words.end());
    if (std::count_if(names.begin(), names.end(),
                      tabsift::isStandardStreamName) > 1) {
      tabsift::failArgument(
          "tabsift: standard input ('-') is named more than once among the "
          "inputs");
    }
    store.readFiles(std::move(names));
  } else {
    tabsift::say("read from stdin");
    store.load();
  }
}

void passOutputSettings(const CommandLine& line, DataHandler& store) {
  const po::variables_map& vm = line.vm;
  if (vm.count("output-files")) store.setOutputFiles(line.outputFiles);
  if (vm.count("tolerance")) store.tol(vm["tolerance"].as<double>());
  if (vm.count("prec")) store.prec(vm["prec"].as<int>());
  if (vm.count("merge")) store.merge();
}

// The settings read after the input, then every operation in command-line
// order with its option's value.
void replayOperations(const CommandLine& line, DataHandler& store) {
  passOutputSettings(line, store);
  for (Operation op : line.order) {
    std::string value = line.vm[tabsift::optionName(op)].as<std::string>();
    switch (op) {
      case Operation::kCalculate: store.calculate(value); break;
      case Operation::kFilter: store.setFilter(value); break;
      case Operation::kGroup: store.group(value); break;
      case Operation::kPrint: store.print(value); break;
      case Operation::kSwap: store.swap(value); break;
    }
  }
}

// Ends a run that ran out of memory: the table is given back first, so that
// the message itself finds room.
int memoryExhausted(std::unique_ptr<DataHandler>& store, const char* step) {
  store.reset();
  tabsift::reportMemoryExhausted(step);
  tabsift::flushDiagnostics();
  return kExitFailure;
}

// The end of a run whose parsing, reading or operations threw: called from
// a handler, it tells the exception that is being handled. Nothing is
// written, so no output file is replaced.
int failedRun(Run& run) {
  try {
    throw;
  } catch (const tabsift::ArgumentRejected& e) {
    tabsift::say(e.what());  // a malformed operation argument
  } catch (const std::bad_alloc&) {
    return memoryExhausted(run.store, run.step);
  } catch (const tabsift::ReadingStopped&) {
    // Reported already.
  } catch (const std::exception& e) {
    tabsift::say(std::string("While defining program options: ") + e.what());
  }
  tabsift::flushDiagnostics();
  return kExitFailure;
}

// Writes the tables. An exception here still ends the run with a message
// and status 1 rather than an abort.
int writeOutput(Run& run, const std::string& commandText) {
  tabsift::flushDiagnostics();
  try {
    run.store->setCommand(commandText);
    run.store->printOut();
    run.store.reset();
  } catch (const std::bad_alloc&) {
    return memoryExhausted(run.store, "writing the output");
  } catch (const std::exception& e) {
    tabsift::reportFailure(e.what());
  }
  std::cout.flush();
  tabsift::flushDiagnostics();
  return tabsift::failureSeen() ? kExitFailure : kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  tabsift::ignoreFileSizeSignal();
  const std::string commandText = tabsift::commandText(argc, argv);
  Run run;
  try {
    CommandLine line;
    if (!parseWords(argc, argv, line)) return kExitUnparsable;
    run.store = createStore(line.vm);
    if (const auto text = informationText(line, argc)) {
      return writeStandardOutput(*text);
    }
    passSettings(line, *run.store);
    run.step = "reading the input";
    readInput(line, *run.store);
    run.step = "working on the table";
    replayOperations(line, *run.store);
  } catch (...) {
    return failedRun(run);
  }
  return writeOutput(run, commandText);
}
