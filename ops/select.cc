// The selection: every line rebuilt from chosen columns and named parameters
// in the order the argument gives them, all lines gathered into one file.
#include <utility>

#include "ops/gather.h"
#include "ops/select_args.h"
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

}  // namespace

template <typename T>
void DataOperations<T>::print(std::string argument) {
  std::optional<std::vector<tabsift::SelectItem>> items =
      tabsift::parseSelection(argument);
  if (!items) tabsift::failArgument("Wrong print argument");
  bool anyColumn = false;
  for (const tabsift::SelectItem& item : *items) {
    if (item.isColumn) {
      anyColumn = true;
    } else if (!someInputHas(parameters, item.name)) {
      tabsift::failArgument("Wrong print argument");
    }
  }

  // The parameter cell for a file of the table: the value in the input the
  // file was read from, an absent cell when that input lacks the name or the
  // value does not fit the cell type.
  auto parameterCell = [this](std::size_t file, const std::string& name) {
    const std::size_t input =
        file < fileInputs.size() ? fileInputs[file] : file;
    if (input >= parameters.size()) return Value();
    auto found = parameters[input].find(name);
    if (found == parameters[input].end()) return Value();
    std::optional<T> cell = tabsift::cellFromDouble<T>(found->second);
    return cell ? Value(*cell) : Value();
  };

  bool anyLine = false;
  for (const File& file : data) anyLine = anyLine || !file.empty();
  if (anyColumn && anyLine) {
    // Every line is rebuilt where it stands, then the files are gathered
    // into the first.
    for (std::size_t f = 0; f < data.size(); ++f) {
      Line fileCells;  // this file's parameter cell for each item
      for (const tabsift::SelectItem& item : *items) {
        fileCells.push_back(item.isColumn ? Value()
                                          : parameterCell(f, item.name));
      }
      for (Line& line : data[f]) {
        Line selected;
        selected.reserve(items->size());
        for (std::size_t k = 0; k < items->size(); ++k) {
          const tabsift::SelectItem& item = (*items)[k];
          if (!item.isColumn) {
            selected.push_back(fileCells[k]);
          } else if (item.column < line.size()) {
            selected.push_back(line[item.column]);
          } else {
            selected.push_back(Value());
          }
        }
        line.swap(selected);
      }
    }
    tabsift::gatherIntoOneFile(data);
  } else {
    // No column item, or no line at all: one line per file holding the
    // parameters of that file.
    File result;
    for (std::size_t f = 0; f < data.size(); ++f) {
      Line selected;
      for (const tabsift::SelectItem& item : *items) {
        if (!item.isColumn) selected.push_back(parameterCell(f, item.name));
      }
      result.push_back(std::move(selected));
    }
    data.clear();
    data.push_back(std::move(result));
  }
  fileInputs.assign(1, 0);
}

#define INSTANTIATE(T) template void DataOperations<T>::print(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
