// The question asked when the output file list fits none of the routing
// patterns: print everything to standard output, everything into the first
// output file, or nothing.
#pragma once

#include <iosfwd>

namespace tabsift {

extern const char kOutputPrompt[];

enum class OutputChoice {
  kStandardOutput,  // answer 1, or input that ended before any answer
  kFirstFile,       // answer 2
  kNothing,         // answer 0
  kNoValidAnswer,   // input ended after answers other than 0, 1 and 2
};

// Writes the prompt to `out` (flushed) and reads an answer line from `in`,
// again and again until the answer is 0, 1 or 2 or the input ends. An
// answer is an integer alone on its line, with blanks around it allowed
// ("2", " 2 ", "+002"); any other line ("0.9", "2.5", "1x", "1 2", an empty
// one) is dropped and the question asked again. Only integer answers count
// for kNoValidAnswer; a line that is not one leaves the choice as before it.
// `inputUsedUp` says that `in` already carried the data and is at its end:
// the prompt is then answered as by an ended input, without reading.
OutputChoice askOutputChoice(std::istream& in, std::ostream& out,
                             bool inputUsedUp);

}  // namespace tabsift
