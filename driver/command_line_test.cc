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

}  // namespace
}  // namespace tabsift
