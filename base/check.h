// Checked assumptions: TABSIFT_ASSERT(condition) states what a function's
// contract requires of its caller or of the state it works on. The checking
// builds (sanitizers, fuzzing: TABSIFT_CHECKED) test it and end the run
// with the file, line and condition on standard error; Release builds
// compile it out, condition and all, so it costs nothing and must have no
// effect the program relies on.
#pragma once

#if defined(TABSIFT_CHECKED)

namespace tabsift {

[[noreturn]] void assertionFailed(const char* condition, const char* file,
                                  int line);

}  // namespace tabsift

#define TABSIFT_ASSERT(condition)     \
  ((condition) ? static_cast<void>(0) \
               : ::tabsift::assertionFailed(#condition, __FILE__, __LINE__))

#else

#define TABSIFT_ASSERT(condition) static_cast<void>(0)

#endif
