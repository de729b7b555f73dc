// The layout of the cells of a table as text: one text line per stored line,
// every cell followed by the separator (a blank, or a tab), an absent cell
// written as the blank text, numbers formatted straight into the sink; and
// the line of column names in front of a table, laid out alike.
// A new layout of the cells is a class of its own beside this one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

#include "number/number_format.h"
#include "output/block_sink.h"
#include "table/cell.h"
#include "table/column_names.h"
#include "table/table_file.h"

namespace tabsift {

// How the name of column `column` (1-based) is written in a line of names,
// so that every reader splits the line into as many names as the table has
// columns: blanks, tabs, carriage returns and line feeds inside it become
// "_", and a column without a name is called "c" and its number ("c3").
inline std::string columnNameText(std::string_view name, std::size_t column) {
  std::string text(name);
  if (text.empty()) return text.append("c").append(std::to_string(column));
  for (char& c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') c = '_';
  }
  return text;
}

template <typename T>
class TableText {
 public:
  using Cell = tabsift::Cell<T>;

  // `precision` as --prec sets it (0: the default), `blank` the text of an
  // absent cell, which must outlive this object.
  TableText(int precision, bool tabs, const std::string& blank)
      : precision_(precision),
        separator_(tabs ? '\t' : ' '),
        blank_(blank),
        room_(numberRoom(precision) + 1) {}

  // Appends the lines of `table` to `sink`.
  void writeTable(BlockSink& sink, const TableFile<Cell>& table) const {
    for (const auto& line : table) {
      for (const Cell& cell : line) {
        if (cell.present()) {
          writeNumber(sink, cell.value());
        } else {
          sink.append(blank_);
          writeSeparator(sink);
        }
      }
      char* end = sink.reserve(1);
      *end = '\n';
      sink.commit(end + 1);
    }
  }

  // Appends the line of names of a table of `width` columns, or of as many
  // as `names` has when that is more; nothing for a table without columns.
  void writeNames(BlockSink& sink, const ColumnNames& names,
                  std::size_t width) const {
    const std::size_t columns = std::max(width, names.size());
    if (columns == 0) return;
    for (std::size_t c = 0; c < columns; ++c) {
      sink.append(columnNameText(c < names.size() ? names[c] : "", c + 1));
      writeSeparator(sink);
    }
    char* end = sink.reserve(1);
    *end = '\n';
    sink.commit(end + 1);
  }

 private:
  void writeSeparator(BlockSink& sink) const {
    char* end = sink.reserve(1);
    *end = separator_;
    sink.commit(end + 1);
  }

  void writeNumber(BlockSink& sink, T value) const {
    char* out = sink.reserve(room_);
    if constexpr (std::is_same_v<T, int>) {
      out = formatInt(value, out);
    } else {
      const NumberText text =
          formatDouble(static_cast<double>(value), precision_, out);
      if (text.padZeros != 0) {
        writePadded(sink, out, text);
        return;
      }
      out += text.length;
    }
    *out++ = separator_;
    sink.commit(out);
  }

  // A number whose precision asks for more digits than a double holds: the
  // missing zeros go in between the formatted head and tail.
  void writePadded(BlockSink& sink, char* out, const NumberText& text) const {
    const std::string tail(out + text.padAt, text.length - text.padAt);
    sink.commit(out + text.padAt);
    sink.appendFill('0', text.padZeros);
    sink.append(tail);
    writeSeparator(sink);
  }

  int precision_;
  char separator_;
  const std::string& blank_;
  std::size_t room_;
};

}  // namespace tabsift
