#include "output/output_policy.h"

#include <optional>

#include "base/diagnostics.h"
#include "base/fd.h"
#include "output/output_file.h"
#include "table/name_list.h"

namespace tabsift {
namespace {

void reportFileFailure(const std::string& name, int error) {
  const std::string label = isStandardStreamName(name)
                                ? "standard output"
                                : "output file '" + name + "'";
  reportFailure("cannot write " + label + ": " + errorText(error));
}

// The text of a file written in place could not be kept aside (`verb`:
// "make", "write"); the file itself is untouched.
void reportAsideFailure(const std::string& name, const OutputFile& file,
                        const char* verb, int error) {
  reportFailure(std::string("cannot ") + verb +
                " the temporary text of output file '" + name + "' " +
                file.aside() + ": " + errorText(error));
}

}  // namespace

void writeOutputFile(const std::string& name,
                     const IncompleteInputs& incomplete,
                     const std::function<void(BlockSink&)>& write) {
  if (const std::optional<std::string> input = incomplete.inputAt(name)) {
    reportFailure("output file '" + name + "' is left untouched: it is " +
                  *input + ", which was not read in full");
    return;
  }
  OutputFile file(name);
  if (!file.valid()) {
    if (file.aside().empty()) {
      reportFileFailure(name, file.error());
    } else {
      reportAsideFailure(name, file, "make", file.error());
    }
    return;
  }
  int error;
  {
    BlockSink sink(file.fd());
    write(sink);
    error = sink.flush() ? 0 : sink.error();
  }
  if (error != 0 && file.inPlace()) {
    reportAsideFailure(name, file, "write", error);
    file.abandon();
    return;
  }
  if (error != 0) {
    file.abandon();
  } else {
    error = file.commit();
  }
  if (error != 0) reportFileFailure(name, error);
}

bool refuseSameFile(const std::vector<std::string>& names) {
  const auto same = findSameFile(names);
  if (!same) return false;
  reportFailure("output files '" + names[same->first] + "' and '" +
                names[same->second] + "' are the same file; nothing written");
  return true;
}

}  // namespace tabsift
