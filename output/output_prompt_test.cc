#include "output/output_prompt.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using tabsift::OutputChoice;

// The choice for `answers`, and the number of prompts written (nothing else
// may be written).
std::pair<OutputChoice, std::size_t> ask(const std::string& answers,
                                         bool inputUsedUp = false) {
  std::istringstream in(answers);
  std::ostringstream out;
  const OutputChoice choice = tabsift::askOutputChoice(in, out, inputUsedUp);
  const std::string prompt = tabsift::kOutputPrompt;
  const std::size_t prompts = out.str().size() / prompt.size();
  EXPECT_EQ(out.str(), [&] {
    std::string all;
    for (std::size_t k = 0; k < prompts; ++k) all += prompt;
    return all;
  }());
  return {choice, prompts};
}

TEST(OutputPrompt, AnswersAndWhatEndsTheQuestion) {
  // A word drops its whole line; a number beyond int asks again.
  EXPECT_EQ(ask("two 1\n99999999999999\n  0"),
            std::make_pair(OutputChoice::kNothing, std::size_t{3}));
  EXPECT_EQ(ask("5\n-1 3\n2\n"),
            std::make_pair(OutputChoice::kFirstFile, std::size_t{4}));
  EXPECT_EQ(ask(""),
            std::make_pair(OutputChoice::kStandardOutput, std::size_t{1}));
  EXPECT_EQ(ask("word").first, OutputChoice::kStandardOutput);
  EXPECT_EQ(ask("7\nx\n"),
            std::make_pair(OutputChoice::kNoValidAnswer, std::size_t{3}));
  // An integer beyond the int range is an answer other than 0, 1 and 2: the
  // rest of its line answers the next question, and input that ends after
  // it gives no answer.
  EXPECT_EQ(ask("4294967297 2\n"),
            std::make_pair(OutputChoice::kFirstFile, std::size_t{2}));
  EXPECT_EQ(ask("4294967297"),
            std::make_pair(OutputChoice::kNoValidAnswer, std::size_t{2}));
  EXPECT_EQ(ask("2\n", /*inputUsedUp=*/true).first,
            OutputChoice::kStandardOutput);
}

}  // namespace
