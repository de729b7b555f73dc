#include "driver/command_line.h"

#include <algorithm>
#include <optional>
#include <sstream>

namespace po = boost::program_options;

namespace tabsift {
namespace {
constexpr unsigned kLineLength = 80;

// The operation options by their long names, as the parsed options name them.
struct OperationOption {
  Operation op;
  const char* option;
};

constexpr OperationOption kOperationOptions[] = {
    {Operation::kCalculate, "calculate"}, {Operation::kFilter, "filter"},
    {Operation::kGroup, "group"},         {Operation::kPrint, "print"},
    {Operation::kSwap, "swap"},
};

// Takes the "=" off a value that the parser read as attached to a short
// option together with it ("-c=s" gives "=s"), as the long options have it.
void dropAttachedEquals(po::parsed_options& parsed) {
  for (po::option& option : parsed.options) {
    if (option.position_key >= 0 || option.original_tokens.size() != 1 ||
        option.value.size() != 1) {
      continue;
    }
    const std::string& word = option.original_tokens.front();
    std::string& value = option.value.front();
    const bool shortForm = word.size() > 1 && word[0] == '-' && word[1] != '-';
    if (shortForm && value.starts_with('=') && word.ends_with(value)) {
      value.erase(0, 1);
    }
  }
}

// Whether `word` names one of `options` in long form ("--col", "--res",
// "--prec=3"), as the parser would take it.
bool namesLongOption(const std::string& word,
                     const po::options_description& options) {
  if (word.size() < 3 || !word.starts_with("--")) return false;
  const std::string name = word.substr(2, word.find('=') - 2);
  try {
    return options.find_nothrow(name, /*approx=*/true) != nullptr;
  } catch (const po::ambiguous_option&) {
    return true;  // "--co": the start of more than one
  }
}

// The library takes the word after an option that needs a value as that
// value unless it is a short option ("-b -r" is refused); a long option
// there ("-b --col", "-o --results") was no more meant as the value, and is
// refused with the library's message for the short one.
void refuseOptionsAsValues(const po::parsed_options& parsed,
                           const po::options_description& options) {
  for (const po::option& option : parsed.options) {
    if (option.position_key >= 0 || option.original_tokens.size() != 2 ||
        !namesLongOption(option.original_tokens[1], options)) {
      continue;
    }
    po::invalid_command_line_syntax error(
        po::invalid_command_line_syntax::missing_parameter);
    error.add_context(option.string_key, option.original_tokens[0],
                      po::command_line_style::allow_long);
    throw error;
  }
}

}  // namespace

std::string commandText(int argc, const char* const* argv) {
  std::string text;
  for (int i = 0; i < argc; ++i) {
    text += argv[i];
    text += ' ';
  }
  return text;
}

std::vector<Operation> operationOrder(const po::parsed_options& parsed) {
  std::vector<Operation> order;
  for (const po::option& option : parsed.options) {
    for (const OperationOption& s : kOperationOptions) {
      if (option.string_key == s.option) order.push_back(s.op);
    }
  }
  return order;
}

std::vector<std::string> inputWords(const po::parsed_options& parsed) {
  std::vector<std::string> words;
  for (const po::option& option : parsed.options) {
    if (option.position_key >= 0) {
      words.insert(words.end(), option.value.begin(), option.value.end());
    }
  }
  return words;
}

std::vector<po::option> takeWordRun(std::vector<std::string>& args) {
  // The library also asks its style parsers whether the one word after an
  // option that needs a value looks like an option; that word, and a last
  // word alone, are left to the library, which takes them as it always does.
  if (args.size() < 2) return {};
  auto isWord = [](const std::string& w) {
    return w.empty() || w[0] != '-' || w == "-";
  };
  const auto end = std::find_if_not(args.begin(), args.end(), isWord);
  std::vector<po::option> words;
  words.reserve(static_cast<std::size_t>(end - args.begin()));
  for (auto w = args.begin(); w != end; ++w) {
    po::option word;
    word.value.push_back(*w);
    word.original_tokens.push_back(*w);
    words.push_back(std::move(word));
  }
  args.erase(args.begin(), end);
  return words;
}

po::parsed_options parseCommandLine(int argc, const char* const* argv,
                                    const po::options_description& options) {
  po::parsed_options parsed = po::command_line_parser(argc, argv)
                                  .options(options)
                                  .extra_style_parser(takeWordRun)
                                  .run();
  refuseOptionsAsValues(parsed, options);
  dropAttachedEquals(parsed);
  return parsed;
}

LineFormat lineFormat(const po::variables_map& vm) {
  LineFormat format;
  if (vm.count("delimiter")) {
    const std::string& argument = vm["delimiter"].as<std::string>();
    const std::optional<char> byte = delimiterByte(argument);
    if (!byte) {
      throw po::error("the argument ('" + argument +
                      "') for option '--delimiter' is invalid: give ',', "
                      "';', '|', ':' or 'tab'");
    }
    format.delimiter = *byte;
  }
  format.decimalComma = vm.count("decimal-comma") > 0;
  return format;
}

const char* optionName(Operation op) {
  for (const OperationOption& s : kOperationOptions) {
    if (s.op == op) return s.option;
  }
  return "";
}

namespace {

po::options_description withoutArguments() {
  po::options_description group("Options without arguments", kLineLength);
  // clang-format off
  group.add_options()
      ("help,h", "Standard help")
      ("tab", "Separate values with tabulators instead of spaces")
      ("version,v", "Display version")
      ("float", "Use float as data type")
      ("int", "Use int as data type")
      ("join,j", "Join input")
      ("merge,m", "Merge all data")
      ("col", "Calculation in columns instead in lines")
      ("decimal-comma", "Read a comma in numbers as the decimal point")
      ("results,r", "Keep only the results of calculations")
      ("header", "Name the columns by each input's line of names");
  // clang-format on
  return group;
}

po::options_description withArguments(std::string* inputFiles,
                                      std::string* outputFiles) {
  po::options_description group("Options with arguments", kLineLength);
  // clang-format off
  group.add_options()
      ("input-files,i", po::value<std::string>(inputFiles),
       "Give the names of files separated by ','\n")
      ("output-files,o", po::value<std::string>(outputFiles),
       "Specifies otupt files names separated by ','. Without this option all "
       "will be printed to standard output\n")
      ("filter,f", po::value<std::string>(),
       "Use this option to select values.\n For example '-f 1,gt2,0,1,2'")
      ("tolerance,t", po::value<double>(),
       "Tolerance of comparisons used in filter for example: '-t 1e-10'\n")
      ("calculate,c", po::value<std::string>(),
       "Argument: s - sum, a - average, m - median, \n d - standard deviation "
       "(sample standard deviation)\n c - count, l - lowest, h - highest, "
       "\n pN - percentile, quartiles p25,p75; b - blocked e"
       "\n e - standard error of the average For example: '-c a,s,m,c'\n")
      ("group,g", po::value<std::string>(),
       "Use this option to group lines by values in specific column or by "
       "order in files. \n For example: '-g 2', '-g f'\n")
      ("print,p", po::value<std::string>(),
       "Print only selected columns/parameters for example:\n '-p 1,2,E' "
       "where E is name of parameter\n")
      ("swap,s", po::value<std::string>(),
       "Swaps two columns in selected file: - s 1,2,3 means swap first and "
       "second column in third file\n")
      ("comments", po::value<std::string>(), "Argument: off/all/1\n")
      ("prec", po::value<int>(),
       "Sets printing precision of all values\n e.g. '--prec 10'\n")
      ("blanks,b", po::value<std::string>(),
       "Set string displayed in place of missing values")
      ("delimiter,d", po::value<std::string>(),
       "Cells separated by ',', ';', '|', ':' or 'tab'");
  // clang-format on
  return group;
}

}  // namespace

OptionGroups declareOptions(std::string* inputFiles, std::string* outputFiles) {
  return OptionGroups{withoutArguments(),
                      withArguments(inputFiles, outputFiles)};
}

std::string helpText(const OptionGroups& groups) {
  po::options_description available("Available options", kLineLength);
  available.add(groups.withoutArguments).add(groups.withArguments);
  std::ostringstream text;
  text << "\nusage: ./program [OPTION <arg1,arg2,...>] ...\n\n"
       << available << "\n"
       << "For more info type 'man tabsift'.\n";
  return text.str();
}

}  // namespace tabsift
