// Operations that leave the table as one file: the new file replaces every
// file, and it stands for the first input (its parameters and comments).
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace tabsift {

// The table becomes the single file `file`, read as if from input 0.
template <typename File>
void becomeOneFile(std::vector<File>& data,
                   std::vector<std::size_t>& fileInputs, File file) {
  data.clear();
  data.push_back(std::move(file));
  fileInputs.assign(1, 0);
}

// Every file's lines moved, in order, into one file: the first file's block
// grows to take the lines of the others, each freed as soon as it is taken.
template <typename File>
void gatherIntoOneFile(std::vector<File>& data,
                       std::vector<std::size_t>& fileInputs) {
  File gathered = data.empty() ? File() : std::move(data.front());
  for (std::size_t f = 1; f < data.size(); ++f) {
    gathered.appendFile(std::move(data[f]));
  }
  becomeOneFile(data, fileInputs, std::move(gathered));
}

}  // namespace tabsift
