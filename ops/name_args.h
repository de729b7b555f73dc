// Column names in operation arguments (--header). Every word that stands
// where a column number can stand and names a column of the table becomes
// that column's 1-based number, so that the argument grammars (filter_args.h,
// swap_args.h, group_args.h, select_args.h) read numbers as they always have.
// A word that is a whole integer stays a number, whatever the names.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "table/column_names.h"

namespace tabsift {

// The argument a word stands in, which says where columns stand: the test
// column and the kept columns of the filter ("energy,gt0,0,step,energy"),
// the first two items of the swap, the whole argument of the grouping but
// "f", every item of the selection.
enum class NamedArgument { kFilter, kSwap, kGroup, kSelect };

struct ResolvedArgument {
  std::string argument;  // with the names replaced by column numbers
  std::string refusal;   // the line that refuses a word; empty when none is
};

// Resolves the column names of `argument` against the names of the files of
// the table (`files`, one list per file). A word is refused when it names
// columns at two places (in one file, or in two), when it names a column and
// is also a parameter of some input in `parameters` (the selection), or
// when it names nothing where the grammar would not read a number either;
// any other word is left as it is, for the grammar to judge.
ResolvedArgument resolveColumnNames(
    std::string_view argument, NamedArgument kind,
    const std::vector<ColumnNames>& files,
    const std::vector<std::map<std::string, double>>& parameters);

// The resolved argument, or the run ends with the refusal before any output.
std::string resolvedOrRefused(
    std::string_view argument, NamedArgument kind,
    const std::vector<ColumnNames>& files,
    const std::vector<std::map<std::string, double>>& parameters);

}  // namespace tabsift
