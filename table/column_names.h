// The names of the columns of a table (--header): found in a line of names in
// each input, then carried beside the cells through every operation, so that
// an argument may name a column and the output can start each table with one
// line of names.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "table/line_format.h"

namespace tabsift {

// The names of the columns of one file of the table, in column order; an
// empty text stands for a column without a name.
using ColumnNames = std::vector<std::string>;

// What the line of names of one input is.
struct NamesLine {
  ColumnNames names;
  // The names come from the comment line, so the first data line is data;
  // otherwise they come from the first data line, which is not data.
  bool fromComment = false;
  // The names line holds no word, only numbers (and empty fields).
  bool onlyNumbers = false;
};

// Whether `field` is a word of a names line: not empty, not `blank` (the
// text of an absent cell) and not beginning with a number as data cells read
// it.
bool isNameWord(std::string_view field, std::string_view blank);

// The names of one input, from its first data line `firstLine` and the
// comment line just before it (`comment`, from its "#"; nothing when the
// line before is no comment). The comment names the columns when the first
// data line holds no word and the comment, split like data lines after its
// "#", has as many fields as that line, holds a word and is no parameter
// line (no "="). Otherwise the first data line holds the names.
NamesLine chooseNamesLine(std::optional<std::string_view> comment,
                          std::string_view firstLine, const LineFormat& format,
                          std::string_view blank);

// The names of one file made of the lines of `files`: each column keeps the
// name that every file having that column gives it, and has none where two
// files differ.
ColumnNames gatheredNames(const std::vector<ColumnNames>& files);

// The names of the columns `kept` (0-based, in order, repetitions allowed)
// of `names`; an index beyond the names adds nothing, as it adds no cell.
ColumnNames keptNames(const ColumnNames& names,
                      const std::vector<std::size_t>& kept);

// Every name with "_" and `number` after it (tells apart the columns that
// would otherwise share a name); a column without a name keeps none.
ColumnNames numberedNames(const ColumnNames& names, std::size_t number);

// The names of the lines grouped by column `key` of lines named `names`
// (all as wide as `names`), where a group line holds the key and then the
// other cells of up to `repeats` lines: the key's name, then the other
// names `repeats` times, numbered from 1 when there is more than one.
ColumnNames groupedNames(const ColumnNames& names, std::size_t key,
                         std::size_t repeats);

}  // namespace tabsift
