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
  const char* words[] = {"./t", "-i", "a.dat", "-c", "s"};
  EXPECT_EQ(commandText(5, words), "./t -i a.dat -c s ");
  const char* name[] = {"tabsift"};
  EXPECT_EQ(commandText(1, name), "tabsift ");
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
  // Arguments of other options and words after "--" are still recorded,
  // and there is no bound on how many.
  std::vector<const char*> words = {"t", "-b", "-c", "-c", "s", "--"};
  for (int i = 0; i < 10; ++i) words.push_back("-s");
  std::vector<Operation> order = orderOf(words);
  ASSERT_EQ(order.size(), 12u);
  EXPECT_EQ(order[0], kCalculate);
  EXPECT_EQ(order[1], kCalculate);
  EXPECT_EQ(order[11], kSwap);
}

TEST(OptionNameTest, NamesTheLongOption) {
  EXPECT_STREQ(optionName(Operation::kCalculate), "calculate");
  EXPECT_STREQ(optionName(Operation::kFilter), "filter");
  EXPECT_STREQ(optionName(Operation::kGroup), "group");
  EXPECT_STREQ(optionName(Operation::kPrint), "print");
  EXPECT_STREQ(optionName(Operation::kSwap), "swap");
}

TEST(HelpTextTest, FramesTheOptionDescriptions) {
  std::string in, out;
  std::string help = helpText(declareOptions(&in, &out));
  EXPECT_EQ(help.rfind("\nusage: ./program [OPTION <arg1,arg2,...>] ...\n\n"
                       "Available options:\n\nOptions without arguments:\n",
                       0),
            0u);
  EXPECT_NE(help.find("\nOptions with arguments:\n"), std::string::npos);
  EXPECT_TRUE(help.ends_with("values\n\nFor more info type 'man tabsift'.\n"));
}

}  // namespace
}  // namespace tabsift
