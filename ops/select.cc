// The selection: every line rebuilt from chosen columns and named parameters
// in the order the argument gives them, all lines gathered into one file.
// Without a column item, or without lines, the result is one line per file
// holding that file's parameters.
#include <utility>

#include "ops/gather.h"
#include "ops/select_args.h"
#include "ops/select_lines.h"
#include "table/cell_convert.h"
#include "table/data_operations.h"
#include "table/diagnostics.h"

namespace {

bool someInputHas(const std::vector<std::map<std::string, double>>& inputs,
                  const std::string& name) {
  for (const auto& parameters : inputs) {
    if (parameters.count(name)) return true;
  }
  return false;
}

// The parameter `name` of one input as a cell: absent when the input lacks
// the name or the value does not fit the cell type.
template <typename Cell>
Cell parameterCell(const std::map<std::string, double>* input,
                   const std::string& name) {
  using Number = tabsift::NumberOf<Cell>;
  if (input == nullptr) return Cell();
  auto found = input->find(name);
  if (found == input->end()) return Cell();
  std::optional<Number> cell = tabsift::cellFromDouble<Number>(found->second);
  return cell ? Cell(*cell) : Cell();
}

}  // namespace

template <typename T>
void DataOperations<T>::print(std::string argument) {
  std::optional<std::vector<tabsift::SelectItem>> items =
      tabsift::parseSelection(argument);
  if (!items) tabsift::failArgument("Wrong print argument");
  bool anyColumn = false;
  for (const tabsift::SelectItem& item : *items) {
    anyColumn = anyColumn || item.isColumn;
    if (!item.isColumn && !someInputHas(parameters, item.name)) {
      tabsift::failArgument("Wrong print argument");
    }
  }
  // Each file meets the parameters of the input it was read from.
  File fileCells(data.size());
  for (std::size_t f = 0; f < data.size(); ++f) {
    const std::size_t input = f < fileInputs.size() ? fileInputs[f] : f;
    const auto* own = input < parameters.size() ? &parameters[input] : nullptr;
    for (const tabsift::SelectItem& item : *items) {
      fileCells[f].push_back(
          item.isColumn ? Value() : parameterCell<Value>(own, item.name));
    }
  }
  bool anyLine = false;
  for (const File& file : data) anyLine = anyLine || !file.empty();
  if (anyColumn && anyLine) {
    tabsift::selectItems(data, *items, fileCells);
    tabsift::gatherIntoOneFile(data, fileInputs);
  } else {
    tabsift::becomeOneFile(data, fileInputs,
                           tabsift::parameterLines(*items, fileCells));
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::print(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
