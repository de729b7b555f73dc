// The command line of tabsift: the recorded text of the run, the order of the
// operation switches, and the declared options with their help text.
#pragma once

#include <string>
#include <vector>

#include <boost/program_options.hpp>

namespace tabsift {

// The operations that are replayed in command-line order, coded as the
// switch words "-c", "-f", "-g", "-p", "-s" record them.
enum class Operation { kCalculate = 1, kFilter, kGroup, kPrint, kSwap };

// Every word of the command line, the program name included, each followed
// by one blank.
std::string commandText(int argc, const char* const* argv);

// The operation of each word that is exactly one of the five switch words,
// in command-line order, wherever the word stands.
std::vector<Operation> operationOrder(int argc, const char* const* argv);

// The long option name whose value an operation is replayed with.
const char* optionName(Operation op);

// The two option groups. `inputFiles` and `outputFiles` receive the texts of
// "input-files" and "output-files" when the parsed options are notified.
struct OptionGroups {
  boost::program_options::options_description withoutArguments;
  boost::program_options::options_description withArguments;
};
OptionGroups declareOptions(std::string* inputFiles, std::string* outputFiles);

// The help text, the option descriptions printed as the option library
// lays them out.
std::string helpText(const OptionGroups& groups);

}  // namespace tabsift
