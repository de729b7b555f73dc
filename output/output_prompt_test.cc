#include "output/output_prompt.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using tabsift::OutputChoice;

// The choice for `answers`, and how many prompts were written (nothing else
// may be written). The end-to-end table has the plain answers.
std::pair<OutputChoice, std::size_t> ask(const std::string& answers,
                                         bool inputUsedUp = false) {
  std::istringstream in(answers);
  std::ostringstream out;
  const OutputChoice choice = tabsift::askOutputChoice(in, out, inputUsedUp);
  const std::string prompt = tabsift::kOutputPrompt;
  std::string prompts;
  while (prompts.size() < out.str().size()) prompts += prompt;
  EXPECT_EQ(out.str(), prompts);
  return {choice, prompts.size() / prompt.size()};
}

TEST(OutputPrompt, AnswersAndWhatEndsTheQuestion) {
  using enum OutputChoice;
  // A word drops its whole line; a number beyond int asks again, and the
  // rest of its line answers the next question.
  EXPECT_EQ(ask("two 1\n99999999999999\n  0"), std::make_pair(kNothing, 3ul));
  EXPECT_EQ(ask("5\n-1 3\n2\n"), std::make_pair(kFirstFile, 4ul));
  EXPECT_EQ(ask("word").first, kStandardOutput);
  EXPECT_EQ(ask("4294967297 2\n"), std::make_pair(kFirstFile, 2ul));
  EXPECT_EQ(ask("4294967297"), std::make_pair(kNoValidAnswer, 2ul));
  EXPECT_EQ(ask("7\nx\n"), std::make_pair(kNoValidAnswer, 3ul));
  EXPECT_EQ(ask("2\n", /*inputUsedUp=*/true).first, kStandardOutput);
}

}  // namespace
