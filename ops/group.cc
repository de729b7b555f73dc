// Grouping: lines gathered by the value in one column, sorted by that value,
// or the table's files laid side by side line by line. Either way the table
// ends as one file.
//
// Names: side by side, each file's columns keep their names, numbered by
// the file ("E_1 P_1 E_2 P_2") when there are several files. By value, the
// key keeps its name and the other columns of the lines of a group follow
// with theirs, numbered by the line's place in its group when some group
// has several lines ("T E_1 P_1 E_2 P_2"); lines of differing widths leave
// all but the key without names.
#include <optional>
#include <utility>

#include "base/check.h"
#include "base/diagnostics.h"
#include "ops/file_numbers.h"
#include "ops/gather.h"
#include "ops/group_args.h"
#include "ops/group_lines.h"
#include "ops/name_args.h"
#include "table/data_operations.h"

namespace {

// The names of the files laid side by side.
template <typename File>
tabsift::ColumnNames sideBySideNames(
    const std::vector<File>& data,
    const std::vector<tabsift::ColumnNames>& files) {
  tabsift::ColumnNames names;
  for (std::size_t f = 0; f < data.size(); ++f) {
    if (data[f].empty()) continue;
    const tabsift::ColumnNames own =
        data.size() > 1 ? tabsift::numberedNames(files[f], f + 1) : files[f];
    names.insert(names.end(), own.begin(), own.end());
  }
  return names;
}

// The number of cells of every line of the table, when all are equally wide.
template <typename File>
std::optional<std::size_t> commonWidth(const std::vector<File>& data) {
  std::optional<std::size_t> width;
  for (const File& file : data) {
    if (file.uniform()) {
      if (file.empty()) continue;
      if (width && *width != file.widest()) return std::nullopt;
      width = file.widest();
      continue;
    }
    for (const auto& line : file) {
      if (width && *width != line.size()) return std::nullopt;
      width = line.size();
    }
  }
  return width;
}

// The names of the lines grouped by `column`, whose longest line holds
// `widest` cells, from lines named `names` of `width` cells each (nothing
// when their widths differ).
tabsift::ColumnNames groupNames(const tabsift::ColumnNames& names,
                                std::size_t column,
                                std::optional<std::size_t> width,
                                std::size_t widest) {
  if (!width) {
    return {column < names.size() ? names[column] : std::string()};
  }
  tabsift::ColumnNames lineNames = names;
  lineNames.resize(*width);
  const std::size_t repeats = *width > 1 ? (widest - 1) / (*width - 1) : 1;
  return tabsift::groupedNames(lineNames, column, repeats);
}

}  // namespace

template <typename T>
void DataOperations<T>::group(std::string argument) {
  if (headerFlag) {
    argument = tabsift::resolvedOrRefused(
        argument, tabsift::NamedArgument::kGroup, columnNames, parameters);
    TABSIFT_ASSERT(columnNames.size() == data.size());
  }
  std::optional<tabsift::GroupRequest> request =
      tabsift::parseGroupRequest(argument);
  if (!request) tabsift::failArgument("Wrong group argument");
  if (request->byFiles) {
    tabsift::ColumnNames names;
    if (headerFlag) names = sideBySideNames(data, columnNames);
    tabsift::followSideBySide(fileNumberColumns, data);
    tabsift::becomeOneFile(data, fileInputs, tabsift::sideBySide(data));
    if (headerFlag) columnNames.assign(1, std::move(names));
    return;
  }
  // A table without lines groups to one without lines; otherwise some line
  // must reach the column.
  if (!tabsift::someLineReaches(data, request->column) &&
      tabsift::hasLines(data)) {
    tabsift::failArgument("Wrong group argument");
  }
  std::optional<std::size_t> width;
  if (headerFlag) width = commonWidth(data);
  tabsift::followGrouping(fileNumberColumns, data, request->column);
  tabsift::becomeOneFile(data, fileInputs,
                         tabsift::groupByColumn(data, request->column));
  if (headerFlag) {
    columnNames.assign(
        1, groupNames(tabsift::gatheredNames(columnNames), request->column,
                      width, data.front().widest()));
  }
  fillInBlanks();
}

#define INSTANTIATE(T) template void DataOperations<T>::group(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
