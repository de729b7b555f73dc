#include "table/column_names.h"

#include <algorithm>

#include "number/token.h"

namespace tabsift {
namespace {

bool holdsWord(const std::vector<std::string>& fields, std::string_view blank) {
  return std::any_of(fields.begin(), fields.end(), [blank](const auto& field) {
    return isNameWord(field, blank);
  });
}

}  // namespace

bool isNameWord(std::string_view field, std::string_view blank) {
  double number;
  return !field.empty() && field != blank && !readLeadingNumber(field, &number);
}

NamesLine chooseNamesLine(std::optional<std::string_view> comment,
                          std::string_view firstLine, const LineFormat& format,
                          std::string_view blank) {
  NamesLine found;
  found.names = lineFields(firstLine, format);
  if (holdsWord(found.names, blank)) return found;
  if (comment && comment->starts_with('#') &&
      comment->find('=') == std::string_view::npos) {
    ColumnNames words = lineFields(comment->substr(1), format);
    if (words.size() == found.names.size() && holdsWord(words, blank)) {
      found.names = std::move(words);
      found.fromComment = true;
      return found;
    }
  }
  found.onlyNumbers = true;
  return found;
}

ColumnNames gatheredNames(const std::vector<ColumnNames>& files) {
  std::size_t width = 0;
  for (const ColumnNames& names : files) width = std::max(width, names.size());
  ColumnNames gathered(width);
  std::vector<bool> named(width, false);
  for (const ColumnNames& names : files) {
    for (std::size_t c = 0; c < names.size(); ++c) {
      if (!named[c]) {
        gathered[c] = names[c];
        named[c] = true;
      } else if (gathered[c] != names[c]) {
        gathered[c].clear();
      }
    }
  }
  return gathered;
}

ColumnNames keptNames(const ColumnNames& names,
                      const std::vector<std::size_t>& kept) {
  if (kept.empty()) return names;
  ColumnNames result;
  for (std::size_t k : kept) {
    if (k < names.size()) result.push_back(names[k]);
  }
  return result;
}

ColumnNames numberedNames(const ColumnNames& names, std::size_t number) {
  ColumnNames result = names;
  for (std::string& name : result) {
    if (!name.empty()) name += '_' + std::to_string(number);
  }
  return result;
}

ColumnNames groupedNames(const ColumnNames& names, std::size_t key,
                         std::size_t repeats) {
  ColumnNames others = names;
  std::string keyName;
  if (key < others.size()) {
    keyName = std::move(others[key]);
    others.erase(others.begin() + static_cast<std::ptrdiff_t>(key));
  }
  ColumnNames result{keyName};
  for (std::size_t k = 1; k <= repeats; ++k) {
    const ColumnNames repeat = repeats > 1 ? numberedNames(others, k) : others;
    result.insert(result.end(), repeat.begin(), repeat.end());
  }
  return result;
}

}  // namespace tabsift
