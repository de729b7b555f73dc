#include "output/output_prompt.h"

#include <algorithm>
#include <istream>
#include <ostream>
#include <string>

namespace tabsift {

const char kOutputPrompt[] =
    "\nWARNING!!!Output and input file lists doesnt match to any standard "
    "pattern \nYou have three options:\n1. Print all to standard output.\n2. "
    "Print all to first file on the output file list.\n\n0. Exit without "
    "saving.\n(select 1, 2 or 0): ";

namespace {

// What one line of input says as an answer.
enum class Answer { kZero, kOne, kTwo, kOtherInteger, kNoInteger, kEnded };

bool isBlank(int c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

// Where a line stands as an answer after each byte: blanks, a sign,
// digits, blanks; anything else makes it no integer.
enum class Part { kBefore, kSign, kDigits, kAfter, kWrong };

Part nextPart(Part part, int c) {
  const bool digit = c >= '0' && c <= '9';
  switch (part) {
    case Part::kBefore:
      if (isBlank(c)) return Part::kBefore;
      if (c == '+' || c == '-') return Part::kSign;
      return digit ? Part::kDigits : Part::kWrong;
    case Part::kSign: return digit ? Part::kDigits : Part::kWrong;
    case Part::kDigits:
      if (digit) return Part::kDigits;
      return isBlank(c) ? Part::kAfter : Part::kWrong;
    case Part::kAfter: return isBlank(c) ? Part::kAfter : Part::kWrong;
    case Part::kWrong: break;
  }
  return Part::kWrong;
}

// Reads one line, without keeping it: an integer alone on it, with blanks
// around it allowed and however many digits, is an integer answer; any
// other line is none. kEnded when the input has ended (or failed) before
// the line's first byte.
Answer readAnswer(std::istream& in) {
  constexpr int kEnd = std::char_traits<char>::eof();
  Part part = Part::kBefore;
  bool negative = false;
  int value = 0;  // 3 stands for every value above 2
  int c = in.get();
  if (c == kEnd) return Answer::kEnded;
  for (; c != kEnd && c != '\n'; c = in.get()) {
    part = nextPart(part, c);
    if (part == Part::kSign) negative = c == '-';
    if (part == Part::kDigits) value = std::min(value * 10 + (c - '0'), 3);
  }
  if (part != Part::kDigits && part != Part::kAfter) return Answer::kNoInteger;
  if (negative && value != 0) return Answer::kOtherInteger;
  constexpr Answer kSmall[] = {Answer::kZero, Answer::kOne, Answer::kTwo,
                               Answer::kOtherInteger};
  return kSmall[value];
}

}  // namespace

OutputChoice askOutputChoice(std::istream& in, std::ostream& out,
                             bool inputUsedUp) {
  bool answered = false;
  for (;;) {
    out << kOutputPrompt;
    out.flush();
    if (inputUsedUp) return OutputChoice::kStandardOutput;
    switch (readAnswer(in)) {
      case Answer::kZero: return OutputChoice::kNothing;
      case Answer::kOne: return OutputChoice::kStandardOutput;
      case Answer::kTwo: return OutputChoice::kFirstFile;
      case Answer::kOtherInteger: answered = true; break;
      case Answer::kNoInteger: break;
      case Answer::kEnded:
        return answered ? OutputChoice::kNoValidAnswer
                        : OutputChoice::kStandardOutput;
    }
  }
}

}  // namespace tabsift
