#include "table/diagnostics.h"

#include <cstdlib>
#include <iostream>
#include <string>

namespace tabsift {
namespace {
bool g_failed = false;
}  // namespace

void failArgument(std::string_view message) {
#ifdef TABSIFT_FUZZING
  // Fuzz targets run many arguments in one process: a rejected argument
  // unwinds to the target instead of ending it.
  throw ArgumentRejected(std::string(message));
#else
  std::cout.flush();
  std::cerr << message << std::endl;
  std::exit(1);
#endif
}

void reportFailure(std::string_view message) {
  std::cerr << "tabsift: " << message << std::endl;
  g_failed = true;
}

void noteFailure() { g_failed = true; }

bool failureSeen() { return g_failed; }

}  // namespace tabsift
