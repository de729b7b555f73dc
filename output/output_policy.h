// The policy every output file is written under: never over an input that
// was not read in full, never two names for one file, and a replaced file
// either complete or as it was (OutputFile); every failure is reported.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "output/block_sink.h"
#include "output/output_names.h"

namespace tabsift {

// Writes the output file `name` with the text `write` puts into the sink.
// An output file that is an input of `incomplete` is left untouched; a
// failure to write or replace it is reported (the run then exits 1).
void writeOutputFile(const std::string& name,
                     const IncompleteInputs& incomplete,
                     const std::function<void(BlockSink&)>& write);

// Whether two of `names` denote one file: reported, and true, when they do,
// before anything is written.
bool refuseSameFile(const std::vector<std::string>& names);

}  // namespace tabsift
