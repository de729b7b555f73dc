// The pure pieces of the command line: which words name inputs. The order
// of the operations in every form is the end-to-end cases'.
#include "driver/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabsift {
namespace {

using Argv = std::vector<const char*>;
using Words = std::vector<std::string>;

// As the option library parses the words with the declared options: a "--"
// that is an option's value ends nothing; words after the end are names.
TEST(CommandLineTest, InputWordsInOrder) {
  std::string in, out;
  const OptionGroups groups = declareOptions(&in, &out);
  boost::program_options::options_description all;
  all.add(groups.withoutArguments).add(groups.withArguments);
  // clang-format off
  const std::pair<Argv, Words> cases[] = {
      {{"t", "-i", "r1", "r2", "r3", "-p", "T,1"}, {"r2", "r3"}},
      {{"t", "-mj", "-ca,s", "--", "--"}, {"--"}},
      {{"t", "--calc=s", "a", "--"}, {"a"}},
      {{"t", "-b", "--", "-c", "s", "--", "-f"}, {"-f"}},
      {{"t", "--", "--", "-c"}, {"--", "-c"}},
      {{"t", "a,b", "-c", "s", "-", "--", "-c", "--", "x"}, {"a,b", "-", "-c", "--", "x"}},
      {{"t", "-b", "--", "-i", "a"}, {}},
      {{"t", "", "a", "-t", "1", "b", "c"}, {"", "a", "b", "c"}}};
  // clang-format on
  for (const auto& [argv, words] : cases) {
    const int argc = static_cast<int>(argv.size());
    EXPECT_EQ(inputWords(parseCommandLine(argc, argv.data(), all)), words) << argv[1];
  }
}

}  // namespace
}  // namespace tabsift
