#include "output/output_prompt.h"

#include <istream>
#include <limits>
#include <ostream>

namespace tabsift {

const char kOutputPrompt[] =
    "\nWARNING!!!Output and input file lists doesnt match to any standard "
    "pattern \nYou have three options:\n1. Print all to standard output.\n2. "
    "Print all to first file on the output file list.\n\n0. Exit without "
    "saving.\n(select 1, 2 or 0): ";

namespace {

// Reads one integer answer. An integer beyond the int range is still an
// integer answer (one other than 0, 1 and 2): the stream then stores the
// largest or smallest int and fails, and the failure is taken back.
bool readIntegerAnswer(std::istream& in, int& answer) {
  if (in >> answer) return true;
  const bool outOfRange =
      !in.bad() && (answer == std::numeric_limits<int>::max() ||
                    answer == std::numeric_limits<int>::min());
  if (!outOfRange) return false;
  in.clear(in.rdstate() & std::ios::eofbit);
  return true;
}

}  // namespace

OutputChoice askOutputChoice(std::istream& in, std::ostream& out,
                             bool inputUsedUp) {
  bool answered = false;
  for (;;) {
    out << kOutputPrompt;
    out.flush();
    int answer = 0;
    if (!inputUsedUp && readIntegerAnswer(in, answer)) {
      switch (answer) {
        case 0: return OutputChoice::kNothing;
        case 1: return OutputChoice::kStandardOutput;
        case 2: return OutputChoice::kFirstFile;
        default: answered = true; continue;
      }
    }
    if (inputUsedUp || in.eof() || in.bad()) {
      return answered ? OutputChoice::kNoValidAnswer
                      : OutputChoice::kStandardOutput;
    }
    // Not an integer: drop the rest of the line and ask again.
    in.clear();
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  }
}

}  // namespace tabsift
