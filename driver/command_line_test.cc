// The pure pieces of the command line: the order of the operation switches,
// where the options end and which words name inputs.
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabsift {
namespace {

using enum Operation;
using Argv = std::vector<const char*>;
using Words = std::vector<std::string>;

// Exact switch words only (no long forms, no joined values), wherever they
// stand, arguments of other options included.
TEST(OperationOrderTest, RecordsExactSwitchWordsWhereverTheyStand) {
  // clang-format off
  const std::pair<Argv, std::vector<Operation>> cases[] = {
      {{"t", "-s", "1,2", "-p", "1", "-c", "s", "-f", "x", "-g"},
       {kSwap, kPrint, kCalculate, kFilter, kGroup}},
      {{"t", "--calculate", "s", "--filter=1,gt0", "-ca,s", "-C", "-cc", "-"}, {}},
      {{"t", "-b", "-c", "-c", "s", "-s", "-s"}, {kCalculate, kCalculate, kSwap, kSwap}}};
  // clang-format on
  for (const auto& [argv, order] : cases)
    EXPECT_EQ(operationOrder(static_cast<int>(argv.size()), argv.data()),
              order);
}

// As the option library parses the words with the declared options. Words
// after the end that are "--" themselves may count as the end: they are
// file names either way. A "--" that is an option's value ends nothing.
TEST(CommandLineTest, EndOfOptionsAndInputWordsInOrder) {
  std::string in, out;
  const OptionGroups groups = declareOptions(&in, &out);
  boost::program_options::options_description all;
  all.add(groups.withoutArguments).add(groups.withArguments);
  // clang-format off
  const struct { Argv argv; int end; Words words; } cases[] = {
      {{"t", "-i", "r1", "r2", "r3", "-p", "T,1"}, 7, {"r2", "r3"}},
      {{"t", "-mj", "-ca,s", "--", "--"}, 4, {"--"}},
      {{"t", "--calc=s", "a", "--"}, 3, {"a"}},
      {{"t", "-b", "--", "-c", "s", "--", "-f"}, 5, {"-f"}},
      {{"t", "--", "--", "-c"}, 2, {"--", "-c"}},
      {{"t", "a,b", "-c", "s", "-", "--", "-c", "--", "x"}, 5, {"a,b", "-", "-c", "--", "x"}},
      {{"t", "-b", "--", "-i", "a"}, 5, {}},
      {{"t", "", "a", "-t", "1", "b", "c"}, 7, {"", "a", "b", "c"}}};
  // clang-format on
  for (const auto& c : cases) {
    const int argc = static_cast<int>(c.argv.size());
    const auto parsed = parseCommandLine(argc, c.argv.data(), all);
    EXPECT_EQ(endOfOptions(argc, c.argv.data(), parsed), c.end) << c.argv[1];
    EXPECT_EQ(inputWords(parsed), c.words) << c.argv[1];
  }
}

}  // namespace
}  // namespace tabsift
