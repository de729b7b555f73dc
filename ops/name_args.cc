#include "ops/name_args.h"

#include <algorithm>
#include <optional>

#include "base/diagnostics.h"
#include "number/c_locale.h"
#include "ops/lenient_int.h"

namespace tabsift {
namespace {

std::vector<std::string_view> splitItems(std::string_view argument) {
  std::vector<std::string_view> items;
  while (true) {
    const std::size_t comma = argument.find(',');
    items.push_back(argument.substr(0, comma));
    if (comma == std::string_view::npos) return items;
    argument.remove_prefix(comma + 1);
  }
}

// Whether item k of `items` stands where the grammar of `kind` reads a
// column number.
bool standsForColumn(NamedArgument kind,
                     const std::vector<std::string_view>& items,
                     std::size_t k) {
  switch (kind) {
    case NamedArgument::kFilter: {
      // column, condition, then "0" or "o"/"a" and a second condition, then
      // the kept columns.
      const bool two = items.size() > 2 && (items[2] == "o" || items[2] == "a");
      return k == 0 || k >= (two ? 4u : 3u);
    }
    case NamedArgument::kSwap: return k < 2;
    case NamedArgument::kGroup: return items[k] != "f";
    case NamedArgument::kSelect: return true;
  }
  return false;
}

// A whole integer as written: an optional sign and decimal digits.
bool isWholeInteger(std::string_view word) {
  if (!word.empty() && (word[0] == '+' || word[0] == '-')) {
    word.remove_prefix(1);
  }
  return !word.empty() && std::all_of(word.begin(), word.end(),
                                      [](char c) { return isDecimalDigit(c); });
}

// Whether the grammar of `kind` would read `word` as no number at all: for
// the selection, a parameter name.
bool readsAsNoNumber(NamedArgument kind, std::string_view word) {
  if (word.empty()) return false;
  if (kind == NamedArgument::kSelect) {
    return lenientInt(word) == 0 && word != "0" && !word.starts_with("0.0");
  }
  return !scanInt(word);
}

bool isParameter(const std::vector<std::map<std::string, double>>& parameters,
                 std::string_view word) {
  return std::any_of(
      parameters.begin(), parameters.end(),
      [word](const auto& input) { return input.count(std::string(word)) > 0; });
}

// "tabsift: " and `word` in quotes, then `rest`.
std::string refusalLine(std::string_view word, std::string_view rest) {
  std::string line = "tabsift: '";
  line.append(word).append("'").append(rest);
  return line;
}

// The 1-based columns that `word` names, the first two different ones.
std::vector<std::size_t> namedColumns(const std::vector<ColumnNames>& files,
                                      std::string_view word) {
  std::vector<std::size_t> columns;
  if (word.empty()) return columns;  // an empty name is no name
  for (const ColumnNames& names : files) {
    for (std::size_t c = 0; c < names.size(); ++c) {
      if (names[c] != word) continue;
      if (columns.empty() || columns[0] != c + 1) columns.push_back(c + 1);
      if (columns.size() == 2) return columns;
    }
  }
  return columns;
}

// The number `word` stands for, or the refusal of it (in `refusal`).
std::string resolvedWord(
    std::string_view word, NamedArgument kind,
    const std::vector<ColumnNames>& files,
    const std::vector<std::map<std::string, double>>& parameters,
    std::string& refusal) {
  const bool selection = kind == NamedArgument::kSelect;
  if (isWholeInteger(word)) return std::string(word);
  const std::vector<std::size_t> columns = namedColumns(files, word);
  if (columns.size() == 2) {
    refusal =
        refusalLine(word, " names two columns, " + std::to_string(columns[0]) +
                              " and " + std::to_string(columns[1]));
  } else if (columns.size() == 1 && selection &&
             isParameter(parameters, word)) {
    refusal = refusalLine(word, " names both a column and a parameter");
  } else if (columns.size() == 1) {
    return std::to_string(columns[0]);
  } else if (readsAsNoNumber(kind, word) &&
             !(selection && isParameter(parameters, word))) {
    refusal = std::string("tabsift: no column ") +
              (selection ? "or parameter " : "") + "is named '" +
              std::string(word) + "'";
  }
  return std::string(word);
}

}  // namespace

ResolvedArgument resolveColumnNames(
    std::string_view argument, NamedArgument kind,
    const std::vector<ColumnNames>& files,
    const std::vector<std::map<std::string, double>>& parameters) {
  // The grouping's argument is one word, commas and all.
  const std::vector<std::string_view> items =
      kind == NamedArgument::kGroup ? std::vector<std::string_view>{argument}
                                    : splitItems(argument);
  ResolvedArgument resolved;
  for (std::size_t k = 0; k < items.size(); ++k) {
    if (k > 0) resolved.argument += ',';
    if (!standsForColumn(kind, items, k)) {
      resolved.argument += items[k];
      continue;
    }
    resolved.argument +=
        resolvedWord(items[k], kind, files, parameters, resolved.refusal);
    if (!resolved.refusal.empty()) return resolved;
  }
  return resolved;
}

std::string resolvedOrRefused(
    std::string_view argument, NamedArgument kind,
    const std::vector<ColumnNames>& files,
    const std::vector<std::map<std::string, double>>& parameters) {
  ResolvedArgument resolved =
      resolveColumnNames(argument, kind, files, parameters);
  if (!resolved.refusal.empty()) failArgument(resolved.refusal);
  return std::move(resolved.argument);
}

}  // namespace tabsift
