// The command line of tabsift: the recorded text of the run, the order of the
// operation switches, and the declared options with their help text.
#pragma once

#include <string>
#include <vector>

#include <boost/program_options.hpp>

#include "table/line_format.h"

namespace tabsift {

// The operations that are replayed in command-line order.
enum class Operation { kCalculate = 1, kFilter, kGroup, kPrint, kSwap };

// Every word of the command line, the program name included, each followed
// by one blank.
std::string commandText(int argc, const char* const* argv);

// The operations among the parsed options, in command-line order, whatever
// form each was given in ("-c s", "-cs", "-rc s", "--calculate=s", ...). A
// word the parser took as another option's value, or as an input name, is
// never one.
std::vector<Operation> operationOrder(
    const boost::program_options::parsed_options& parsed);

// The words that are neither an option nor an option's value, every word
// after the end of the options included, in command-line order: the names
// of further input files. A comma inside such a word is part of the name.
std::vector<std::string> inputWords(
    const boost::program_options::parsed_options& parsed);

// Parses the command line with the declared options. Words that are no
// option are taken a whole run at a time, so that tens of thousands of input
// file names (a shell glob) cost no more than their length. A value attached
// to a short option by "=" ("-c=s", "-rc=s") is the text after the "=".
boost::program_options::parsed_options parseCommandLine(
    int argc, const char* const* argv,
    const boost::program_options::options_description& options);

// A style parser for the option library: the run of words at the front of
// `args` that are no option (they do not start with "-", or are "-" alone),
// removed from `args` and returned as positional options, as the library
// makes them one at a time. Nothing when the first word is an option, or
// when `args` holds a single word (the library handles that itself).
std::vector<boost::program_options::option> takeWordRun(
    std::vector<std::string>& args);

// How the inputs' data lines are written, from -d and --decimal-comma.
// Throws the option library's error for a delimiter it does not know, so
// that the command line counts as one that cannot be parsed.
LineFormat lineFormat(const boost::program_options::variables_map& vm);

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
