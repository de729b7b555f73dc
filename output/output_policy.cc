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
    reportFileFailure(name, file.error());
    return;
  }
  int error;
  {
    BlockSink sink(file.fd());
    write(sink);
    error = sink.flush() ? 0 : sink.error();
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
