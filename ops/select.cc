// The selection: every line rebuilt from chosen columns and named parameters
// in the order the argument gives them, all lines gathered into one file.
// Without a column item, or without lines, the result is one line per file
// holding that file's parameters.
#include <optional>
#include <utility>

#include "base/check.h"
#include "base/diagnostics.h"
#include "number/cell_convert.h"
#include "ops/gather.h"
#include "ops/name_args.h"
#include "ops/select_args.h"
#include "ops/select_lines.h"
#include "table/data_operations.h"

namespace {

using Parameters = std::vector<std::map<std::string, double>>;

// Whether every parameter item names a parameter of some input.
bool parametersKnown(const std::vector<tabsift::SelectItem>& items,
                     const Parameters& inputs) {
  for (const tabsift::SelectItem& item : items) {
    if (item.isColumn) continue;
    bool found = false;
    for (const auto& parameters : inputs)
      found = found || parameters.count(item.name);
    if (!found) return false;
  }
  return true;
}

// The parameter `name` of one input as a cell: absent when there is no such
// input, the input lacks the name or the value does not fit the cell type.
template <typename Cell>
Cell parameterCell(const Parameters& inputs, std::size_t input,
                   const std::string& name) {
  if (input >= inputs.size()) return Cell();
  auto found = inputs[input].find(name);
  if (found == inputs[input].end()) return Cell();
  std::optional<tabsift::NumberOf<Cell>> cell =
      tabsift::cellFromDouble<tabsift::NumberOf<Cell>>(found->second);
  return cell ? Cell(*cell) : Cell();
}

// For each file, one cell per item: the parameter of the input the file was
// read from for a parameter item, an absent cell for a column item.
template <typename Cell>
tabsift::ParameterCells<Cell> parameterCellsPerFile(
    const std::vector<tabsift::SelectItem>& items, const Parameters& inputs,
    const std::vector<std::size_t>& fileInputs, std::size_t files) {
  tabsift::ParameterCells<Cell> cells(files);
  for (std::size_t f = 0; f < files; ++f) {
    const std::size_t input = f < fileInputs.size() ? fileInputs[f] : f;
    for (const tabsift::SelectItem& item : items) {
      cells[f].push_back(item.isColumn
                             ? Cell()
                             : parameterCell<Cell>(inputs, input, item.name));
    }
  }
  return cells;
}

// The names of the selected items in each file: a column's own name, or
// the name of the parameter.
std::vector<tabsift::ColumnNames> selectedNames(
    const std::vector<tabsift::SelectItem>& items,
    const std::vector<tabsift::ColumnNames>& files, bool columns) {
  std::vector<tabsift::ColumnNames> selected;
  for (const tabsift::ColumnNames& names : files) {
    tabsift::ColumnNames& line = selected.emplace_back();
    for (const tabsift::SelectItem& item : items) {
      if (!item.isColumn) {
        line.push_back(item.name);
      } else if (columns) {
        line.push_back(item.column < names.size() ? names[item.column] : "");
      }
    }
  }
  return selected;
}

// The column each item takes its cells from; nothing for a parameter.
std::vector<std::optional<std::size_t>> columnSources(
    const std::vector<tabsift::SelectItem>& items) {
  std::vector<std::optional<std::size_t>> sources;
  for (const tabsift::SelectItem& item : items) {
    sources.push_back(item.isColumn ? std::optional(item.column)
                                    : std::nullopt);
  }
  return sources;
}

}  // namespace

template <typename T>
void DataOperations<T>::print(std::string argument) {
  if (headerFlag) {
    argument = tabsift::resolvedOrRefused(
        argument, tabsift::NamedArgument::kSelect, columnNames, parameters);
    TABSIFT_ASSERT(columnNames.size() == data.size());
  }
  std::optional<std::vector<tabsift::SelectItem>> items =
      tabsift::parseSelection(argument);
  if (!items || !parametersKnown(*items, parameters)) {
    tabsift::failArgument("Wrong print argument");
  }
  const tabsift::ParameterCells<Value> cells =
      parameterCellsPerFile<Value>(*items, parameters, fileInputs, data.size());
  bool anyColumn = false;
  for (const tabsift::SelectItem& item : *items) anyColumn |= item.isColumn;
  bool anyLine = false;
  for (const File& file : data) anyLine |= !file.empty();
  if (headerFlag) {
    columnNames.assign(1, tabsift::gatheredNames(selectedNames(
                              *items, columnNames, anyColumn && anyLine)));
  }
  if (anyColumn && anyLine) {
    fileNumberColumns.rebuild(columnSources(*items));
    tabsift::selectItems(data, *items, cells);
    tabsift::gatherIntoOneFile(data, fileInputs);
  } else {
    fileNumberColumns.forget();
    tabsift::becomeOneFile(data, fileInputs,
                           tabsift::parameterLines(*items, cells));
  }
}

#define INSTANTIATE(T) template void DataOperations<T>::print(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
