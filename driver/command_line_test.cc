#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabsift {
namespace {

std::vector<Operation> orderOf(std::vector<const char*> words) {
  return operationOrder(static_cast<int>(words.size()), words.data());
}

TEST(CommandTextTest, EveryWordFollowedByOneBlank) {
  const char* spaced[] = {"tabsift", "-b", "not a number", ""};
  EXPECT_EQ(commandText(4, spaced), "tabsift -b not a number  ");
}

TEST(OperationOrderTest, RecordsExactSwitchWordsInOrder) {
  using enum Operation;
  EXPECT_EQ(orderOf({"t", "-g", "2", "-f", "1,gt0"}),
            (std::vector<Operation>{kGroup, kFilter}));
  EXPECT_EQ(orderOf({"t", "-s", "1,2", "-p", "1", "-c", "s", "-f", "x", "-g", "f"}),
            (std::vector<Operation>{kSwap, kPrint, kCalculate, kFilter, kGroup}));
}

TEST(OperationOrderTest, IgnoresLongFormsAndAttachedValues) {
  EXPECT_TRUE(orderOf({"t", "--calculate", "s", "--filter=1,gt0", "-ca,s", "-C",
                       "-cc", "c", "-"})
                  .empty());
}

TEST(OperationOrderTest, RecordsSwitchWordsWhereverTheyStand) {
  using enum Operation;
  // Arguments of other options are still recorded, and there is no bound
  // on how many.
  std::vector<const char*> words = {"t", "-b", "-c", "-c", "s"};
  for (int i = 0; i < 10; ++i) words.push_back("-s");
  std::vector<Operation> order = orderOf(words);
  ASSERT_EQ(order.size(), 12u);
  EXPECT_EQ(order[0], kCalculate);
  EXPECT_EQ(order[1], kCalculate);
  EXPECT_EQ(order[11], kSwap);
}

// The end of the options and the input words of a command line as the
// option library parses it with the declared options.
struct Parsed {
  int end;
  std::vector<std::string> words;
};
Parsed parse(std::vector<const char*> argv) {
  std::string in, out;
  const OptionGroups groups = declareOptions(&in, &out);
  boost::program_options::options_description all;
  all.add(groups.withoutArguments).add(groups.withArguments);
  const int argc = static_cast<int>(argv.size());
  const auto parsed =
      boost::program_options::command_line_parser(argc, argv.data())
          .options(all)
          .run();
  return {endOfOptions(argc, argv.data(), parsed), inputWords(parsed)};
}

TEST(EndOfOptionsTest, IsTheDashDashThatEndsTheOptions) {
  EXPECT_EQ(parse({"t", "-i", "a", "-c", "s"}).end, 5);
  EXPECT_EQ(parse({"t", "a", "--", "-c", "s"}).end, 2);
  // Words after the end that are "--" themselves may count as the end:
  // they are file names either way.
  EXPECT_EQ(parse({"t", "-mj", "-ca,s", "--", "--"}).end, 4);
  EXPECT_EQ(parse({"t", "--calc=s", "a", "--"}).end, 3);
  // A "--" that is an option's value ends nothing; a later one does.
  EXPECT_EQ(parse({"t", "-b", "--", "-c", "s", "--", "-f"}).end, 5);
  EXPECT_EQ(parse({"t", "--", "--", "-c"}).end, 2);
}

TEST(InputWordsTest, EveryWordThatIsNoOptionNorValueInOrder) {
  using Words = std::vector<std::string>;
  EXPECT_EQ(parse({"t", "-i", "r1", "r2", "r3", "-p", "T,1"}).words,
            (Words{"r2", "r3"}));
  EXPECT_EQ(parse({"t", "a,b", "-c", "s", "-", "--", "-c", "--", "x"}).words,
            (Words{"a,b", "-", "-c", "--", "x"}));
  EXPECT_EQ(parse({"t", "-b", "--", "-i", "a"}).words, Words{});
}

}  // namespace
}  // namespace tabsift
