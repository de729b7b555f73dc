#include "output/output_prompt.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using tabsift::OutputChoice;

struct Asked {
  OutputChoice choice;
  int prompts;
};

Asked ask(const std::string& answers, bool inputUsedUp = false) {
  std::istringstream in(answers);
  std::ostringstream out;
  const OutputChoice choice = tabsift::askOutputChoice(in, out, inputUsedUp);
  const std::string text = out.str();
  const std::string prompt = tabsift::kOutputPrompt;
  int prompts = 0;
  for (std::size_t at = 0; (at = text.find(prompt, at)) != std::string::npos;
       at += prompt.size()) {
    ++prompts;
  }
  EXPECT_EQ(text.size(), prompts * prompt.size()) << "only prompts written";
  return {choice, prompts};
}

TEST(OutputPrompt, TheThreeAnswers) {
  EXPECT_EQ(ask("1\n").choice, OutputChoice::kStandardOutput);
  EXPECT_EQ(ask("2\n").choice, OutputChoice::kFirstFile);
  EXPECT_EQ(ask("  0").choice, OutputChoice::kNothing);
  EXPECT_EQ(ask("2\n").prompts, 1);
}

TEST(OutputPrompt, OtherNumbersAskAgain) {
  const Asked a = ask("5\n-1 3\n2\n");
  EXPECT_EQ(a.choice, OutputChoice::kFirstFile);
  EXPECT_EQ(a.prompts, 4);
}

TEST(OutputPrompt, NonIntegersDropTheirLine) {
  // "two 1" is one bad line: its 1 is discarded with it.
  const Asked a = ask("two 1\n0\n");
  EXPECT_EQ(a.choice, OutputChoice::kNothing);
  EXPECT_EQ(a.prompts, 2);
}

TEST(OutputPrompt, IntegersBeyondTheIntRangeAreOtherAnswers) {
  // The rest of the line is not dropped: "2" answers the next prompt.
  const Asked a = ask("4294967297 2\n");
  EXPECT_EQ(a.choice, OutputChoice::kFirstFile);
  EXPECT_EQ(a.prompts, 2);
  EXPECT_EQ(ask("-99999999999999999999999\n0").choice, OutputChoice::kNothing);
  // Input that ends after one gives no answer; at the very end of the
  // input as well.
  EXPECT_EQ(ask("4294967297\n").choice, OutputChoice::kNoValidAnswer);
  const Asked last = ask("4294967297");
  EXPECT_EQ(last.choice, OutputChoice::kNoValidAnswer);
  EXPECT_EQ(last.prompts, 2);
  EXPECT_EQ(ask("2147483647\n").choice, OutputChoice::kNoValidAnswer);
}

TEST(OutputPrompt, InputEndingBeforeAnyAnswerMeansOne) {
  EXPECT_EQ(ask("").choice, OutputChoice::kStandardOutput);
  EXPECT_EQ(ask("").prompts, 1);
  EXPECT_EQ(ask("word").choice, OutputChoice::kStandardOutput);
  EXPECT_EQ(ask("2\n", /*inputUsedUp=*/true).choice,
            OutputChoice::kStandardOutput);
}

TEST(OutputPrompt, InputEndingAfterAWrongAnswerGivesNoAnswer) {
  const Asked a = ask("7\nx\n");
  EXPECT_EQ(a.choice, OutputChoice::kNoValidAnswer);
  EXPECT_EQ(a.prompts, 3);
  EXPECT_EQ(ask("3").choice, OutputChoice::kNoValidAnswer);
}

}  // namespace
