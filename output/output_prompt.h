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

// Writes the prompt to `out` (flushed) and reads an integer answer from
// `in`, again and again until the answer is 0, 1 or 2 or the input ends.
// An answer that is not an integer discards the rest of its input line.
// `inputUsedUp` says that `in` already carried the data and is at its end:
// the prompt is then answered as by an ended input, without reading.
OutputChoice askOutputChoice(std::istream& in, std::ostream& out,
                             bool inputUsedUp);

}  // namespace tabsift
