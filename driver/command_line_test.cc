// The pure pieces of the command line: the order of the operations and
// which words name inputs.
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace tabsift {
namespace {

using enum Operation;
using Argv = std::vector<const char*>;
using Words = std::vector<std::string>;

// Parses `argv` with the declared options.
boost::program_options::parsed_options parsed(const Argv& argv) {
  static std::string in, out;
  static const OptionGroups groups = declareOptions(&in, &out);
  static const auto all = [] {
    auto description = std::make_unique<boost::program_options::options_description>();
    description->add(groups.withoutArguments).add(groups.withArguments);
    return description;
  }();
  return parseCommandLine(static_cast<int>(argv.size()), argv.data(), *all);
}

// Every form of an operation option counts where it stands; a word that is
// another option's value, or a word after "--", never does.
TEST(OperationOrderTest, EveryFormCountsWordsThatAreValuesDoNot) {
  // clang-format off
  const std::pair<Argv, std::vector<Operation>> cases[] = {
      {{"t", "-s", "1,2", "-p", "1", "-c", "s", "-f", "x", "-g", "2"},
       {kSwap, kPrint, kCalculate, kFilter, kGroup}},
      {{"t", "--calculate", "s", "--filter=1,gt0", "-p1", "-rg", "2", "--swap=1,2"},
       {kCalculate, kFilter, kPrint, kGroup, kSwap}},
      {{"t", "-mjs1", "--print=-c", "-c=s", "--gr", "f"}, {kSwap, kPrint, kCalculate, kGroup}},
      {{"t", "-b-c", "-i-f", "-o-g", "--comments=-p", "--", "-s", "1"}, {}}};
  // clang-format on
  for (const auto& [argv, order] : cases) {
    EXPECT_EQ(operationOrder(parsed(argv)), order) << argv[1];
  }
}

// A value attached to a short option by "=" is what follows the "=";
// elsewhere an "=" is part of the value.
TEST(CommandLineTest, ValueAttachedByEqualsSign) {
  // clang-format off
  const std::pair<Argv, Words> cases[] = {
      {{"t", "-c=s", "-rp=1", "-b==", "-o=", "-s", "=1", "-fx=1", "--group==2"},
       {"s", "1", "=", "", "=1", "x=1", "=2"}},
      {{"t", "--", "-c=s"}, {"-c=s"}}};
  // clang-format on
  for (const auto& [argv, values] : cases) {
    Words seen;
    for (const auto& option : parsed(argv).options) {
      if (!option.value.empty()) seen.push_back(option.value.front());
    }
    EXPECT_EQ(seen, values) << argv[1];
  }
}

// As the option library parses the words with the declared options: a "--"
// that is an option's value ends nothing; words after the end are names.
TEST(CommandLineTest, InputWordsInOrder) {
  // clang-format off
  const struct { Argv argv; Words words; } cases[] = {
      {{"t", "-i", "r1", "r2", "r3", "-p", "T,1"}, {"r2", "r3"}},
      {{"t", "-mj", "-ca,s", "--", "--"}, {"--"}},
      {{"t", "--calc=s", "a", "--"}, {"a"}},
      {{"t", "-b", "--", "-c", "s", "--", "-f"}, {"-f"}},
      {{"t", "--", "--", "-c"}, {"--", "-c"}},
      {{"t", "a,b", "-c", "s", "-", "--", "-c", "--", "x"}, {"a,b", "-", "-c", "--", "x"}},
      {{"t", "-b", "--", "-i", "a"}, {}},
      {{"t", "", "a", "-t", "1", "b", "c"}, {"", "a", "b", "c"}}};
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(inputWords(parsed(c.argv)), c.words) << c.argv[1];
}

}  // namespace
}  // namespace tabsift
