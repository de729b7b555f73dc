#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabsift {
namespace {

using enum Operation;
using Words = std::vector<std::string>;

std::vector<Operation> orderOf(std::vector<const char*> words) {
  return operationOrder(static_cast<int>(words.size()), words.data());
}

TEST(CommandTextTest, EveryWordFollowedByOneBlank) {
  const char* spaced[] = {"tabsift", "-b", "not a number", ""};
  EXPECT_EQ(commandText(4, spaced), "tabsift -b not a number  ");
}

TEST(OperationOrderTest, RecordsExactSwitchWordsWhereverTheyStand) {
  EXPECT_EQ(
      orderOf({"t", "-s", "1,2", "-p", "1", "-c", "s", "-f", "x", "-g"}),
      (std::vector<Operation>{kSwap, kPrint, kCalculate, kFilter, kGroup}));
  EXPECT_TRUE(orderOf({"t", "--calculate", "s", "--filter=1,gt0", "-ca,s", "-C",
                       "-cc", "c", "-"})
                  .empty());
  // Arguments of other options are still recorded, without bound.
  std::vector<const char*> words = {"t", "-b", "-c", "-c", "s"};
  for (int i = 0; i < 10; ++i) words.push_back("-s");
  const std::vector<Operation> order = orderOf(words);
  ASSERT_EQ(order.size(), 12u);
  EXPECT_EQ(order[1], kCalculate);
  EXPECT_EQ(order[11], kSwap);
}

// The end of the options and the input words of a command line as the
// option library parses it with the declared options.
std::pair<int, Words> parse(std::vector<const char*> argv) {
  std::string in, out;
  const OptionGroups groups = declareOptions(&in, &out);
  boost::program_options::options_description all;
  all.add(groups.withoutArguments).add(groups.withArguments);
  const int argc = static_cast<int>(argv.size());
  const auto parsed = parseCommandLine(argc, argv.data(), all);
  return {endOfOptions(argc, argv.data(), parsed), inputWords(parsed)};
}

TEST(EndOfOptionsTest, IsTheDashDashThatEndsTheOptions) {
  EXPECT_EQ(parse({"t", "-i", "a", "-c", "s"}).first, 5);
  // Words after the end that are "--" themselves may count as the end:
  // they are file names either way.
  EXPECT_EQ(parse({"t", "-mj", "-ca,s", "--", "--"}).first, 4);
  EXPECT_EQ(parse({"t", "--calc=s", "a", "--"}).first, 3);
  // A "--" that is an option's value ends nothing; a later one does.
  EXPECT_EQ(parse({"t", "-b", "--", "-c", "s", "--", "-f"}).first, 5);
  EXPECT_EQ(parse({"t", "--", "--", "-c"}).first, 2);
}

TEST(InputWordsTest, EveryWordThatIsNoOptionNorValueInOrder) {
  EXPECT_EQ(parse({"t", "-i", "r1", "r2", "r3", "-p", "T,1"}).second,
            (Words{"r2", "r3"}));
  EXPECT_EQ(parse({"t", "a,b", "-c", "s", "-", "--", "-c", "--", "x"}).second,
            (Words{"a,b", "-", "-c", "--", "x"}));
  EXPECT_EQ(parse({"t", "-b", "--", "-i", "a"}).second, Words{});
  EXPECT_EQ(parse({"t", "", "a", "-t", "1", "b", "c"}).second,
            (Words{"", "a", "b", "c"}));
}

}  // namespace
}  // namespace tabsift
