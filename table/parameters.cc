// Named parameters: every input's comment lines are scanned for name = value
// pairs, which go into that input's parameter map (values always double).
// A table written with decimal commas writes its parameters with them too.
#include "base/diagnostics.h"
#include "table/data_operations.h"
#include "table/parameter_scan.h"

template <typename T>
void DataOperations<T>::parseComments() {
  parameters.assign(commentLines.size(), {});
  for (std::size_t input = 0; input < commentLines.size(); ++input) {
    std::map<std::string, double>& found = parameters[input];
    for (const std::string& line : commentLines[input]) {
      for (const tabsift::ParameterEntry& entry :
           tabsift::scanParameters(line, lineFormat.decimalComma)) {
        if (entry.value) {
          found.insert_or_assign(std::string(entry.name), *entry.value);
        } else {
          std::string text = "Invalid value of parameter ";
          text.append(entry.name);
          text.append(" in data file: ");
          text.append(std::to_string(input + 1));
          tabsift::say(text);
        }
      }
    }
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::parseComments();
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
