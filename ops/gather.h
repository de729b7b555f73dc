// Gathering every file of a table into one: the lines keep their order, file
// by file, and are moved, never copied.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace tabsift {

template <typename File>
void gatherIntoOneFile(std::vector<File>& data) {
  File gathered = data.empty() ? File() : std::move(data.front());
  if (data.size() > 1) {
    std::size_t total = gathered.size();
    for (std::size_t f = 1; f < data.size(); ++f) total += data[f].size();
    gathered.reserve(total);
    for (std::size_t f = 1; f < data.size(); ++f) {
      for (auto& line : data[f]) gathered.push_back(std::move(line));
      File().swap(data[f]);
    }
  }
  data.clear();
  data.push_back(std::move(gathered));
}

}  // namespace tabsift
