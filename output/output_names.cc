#include "output/output_names.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <unordered_map>

#include "base/diagnostics.h"
#include "output/output_file.h"
#include "table/name_list.h"

namespace tabsift {
namespace {

// The names under which standard input itself can be written to.
bool namesStandardInput(const std::string& name) {
  return name == "/dev/stdin" || name == "/dev/fd/0" ||
         name == "/proc/self/fd/0";
}

// The path of a file that does not exist yet: the end of its links, with the
// directory resolved where it exists.
std::string newFileKey(const std::string& name) {
  const OutputPlan plan = planOutput(name);
  const std::string path = plan.target.empty() ? name : plan.target;
  if (char* real = ::realpath(directoryPart(path).c_str(), nullptr)) {
    std::string resolved(real);
    std::free(real);
    if (resolved != "/") resolved += '/';
    return "path " + resolved + lastPart(path);
  }
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return "path " + (error ? path : absolute.lexically_normal().string());
}

}  // namespace

TableRouting routeTables(const std::vector<std::size_t>& fileInputs,
                         std::size_t tables, std::size_t outputs) {
  TableRouting routing;
  routing.perOutput.resize(outputs);
  for (std::size_t i = 0; i < tables; ++i) {
    const std::size_t position = i < fileInputs.size() ? fileInputs[i] : i;
    if (position < outputs) {
      routing.perOutput[position].push_back(i);
    } else {
      routing.unplaced.push_back(i);
    }
  }
  return routing;
}

std::string fileKey(const std::string& name) {
  struct stat st;
  if (::stat(name.c_str(), &st) == 0) {
    return "file " + std::to_string(st.st_dev) + ":" +
           std::to_string(st.st_ino);
  }
  return newFileKey(name);
}

std::optional<std::pair<std::size_t, std::size_t>> findSameFile(
    const std::vector<std::string>& names) {
  std::unordered_map<std::string, std::size_t> seen;
  for (std::size_t i = 0; i < names.size(); ++i) {
    struct stat st;
    const bool special =
        isStandardStreamName(names[i]) ||
        (::stat(names[i].c_str(), &st) == 0 && !S_ISREG(st.st_mode));
    if (names[i].empty() || special) continue;
    const auto [at, added] = seen.emplace(fileKey(names[i]), i);
    if (!added) return std::make_pair(at->second, i);
  }
  return std::nullopt;
}

IncompleteInputs::IncompleteInputs(const std::vector<std::string>& names,
                                   const std::vector<std::size_t>& positions) {
  for (std::size_t position : positions) {
    struct stat st;
    if (names.empty() ||
        (position < names.size() && isStandardStreamName(names[position]))) {
      standardInput_ = true;
      if (::fstat(STDIN_FILENO, &st) == 0) {
        files_.push_back({st.st_dev, st.st_ino, inputLabel(nullptr)});
      }
    } else if (position < names.size() &&
               ::stat(names[position].c_str(), &st) == 0) {
      files_.push_back({st.st_dev, st.st_ino, inputLabel(&names[position])});
    }
  }
}

std::optional<std::string> IncompleteInputs::inputAt(
    const std::string& outputName) const {
  if (standardInput_ && namesStandardInput(outputName)) {
    return inputLabel(nullptr);
  }
  if (files_.empty()) return std::nullopt;
  struct stat st;
  const int status = isStandardStreamName(outputName)
                         ? ::fstat(STDOUT_FILENO, &st)
                         : ::stat(outputName.c_str(), &st);
  if (status != 0) return std::nullopt;
  for (const Known& known : files_) {
    if (known.device == st.st_dev && known.inode == st.st_ino) {
      return known.label;
    }
  }
  return std::nullopt;
}

}  // namespace tabsift
