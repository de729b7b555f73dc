// Grouping: lines gathered by the value in one column, sorted by that value,
// or the table's files laid side by side line by line. Either way the table
// ends as one file.
#include <algorithm>
#include <map>
#include <utility>

#include "ops/group_args.h"
#include "ops/key_order.h"
#include "ops/release_memory.h"
#include "table/data_operations.h"
#include "table/diagnostics.h"

template <typename T>
void DataOperations<T>::group(std::string argument) {
  std::optional<tabsift::GroupRequest> request =
      tabsift::parseGroupRequest(argument);
  if (!request) tabsift::failArgument("Wrong group argument");

  if (request->byFiles) {
    // Line i of the result joins line i of every file that has one, in file
    // order; a later file longer than those before adds lines of its own.
    File joined = data.empty() ? File() : std::move(data.front());
    for (std::size_t f = 1; f < data.size(); ++f) {
      File& file = data[f];
      for (std::size_t i = 0; i < file.size(); ++i) {
        if (i < joined.size()) {
          Line& target = joined[i];
          target.insert(target.end(), file[i].begin(), file[i].end());
          Line().swap(file[i]);
        } else {
          joined.push_back(std::move(file[i]));
        }
      }
      File().swap(file);
    }
    data.clear();
    data.push_back(std::move(joined));
    fileInputs.assign(1, 0);
    return;
  }

  const std::size_t column = request->column;
  bool reached = false;
  for (const File& file : data) {
    for (const Line& line : file) {
      if (line.size() > column) {
        reached = true;
        break;
      }
    }
    if (reached) break;
  }
  if (!reached) tabsift::failArgument("Wrong group argument");

  // Each group line starts with its key cell, then the other cells of every
  // line carrying that key, in table order. A first pass sizes the group
  // lines: each gets room for the longest, the width the padding gives them
  // all, so that none is ever copied while growing. Source lines are
  // released as they are taken, and their memory handed back now and then.
  struct Group {
    std::size_t cells = 1;
    Line line;
  };
  std::map<T, Group, tabsift::KeyLess> groups;
  for (const File& file : data) {
    for (const Line& line : file) {
      if (line.size() > column && line[column].present()) {
        groups[line[column].value()].cells += line.size() - 1;
      }
    }
  }
  std::size_t width = 0;
  for (const auto& entry : groups) width = std::max(width, entry.second.cells);
  for (auto& entry : groups) entry.second.line.reserve(width);
  constexpr std::size_t kLinesBetweenReleases = std::size_t{1} << 14;
  std::size_t taken = 0;
  for (File& file : data) {
    for (Line& line : file) {
      if (++taken % kLinesBetweenReleases == 0) tabsift::releaseFreedMemory();
      if (line.size() > column && line[column].present()) {
        Line& target = groups.find(line[column].value())->second.line;
        if (target.empty()) target.push_back(line[column]);
        for (std::size_t c = 0; c < line.size(); ++c) {
          if (c != column) target.push_back(line[c]);
        }
      }
      Line().swap(line);
    }
    File().swap(file);
  }

  resultLines.clear();
  resultLines.reserve(groups.size());
  for (auto& entry : groups) {
    resultLines.push_back(std::move(entry.second.line));
  }
  groups.clear();
  data.clear();
  data.push_back(std::move(resultLines));
  resultLines.clear();
  fileInputs.assign(1, 0);
  fillInBlanks();
}

#define INSTANTIATE(T) template void DataOperations<T>::group(std::string);
TABSIFT_FOR_EACH_CELL_TYPE(INSTANTIATE)
