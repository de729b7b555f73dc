// The layout of the cells of a table as text: one text line per stored line,
// every cell followed by the separator (a blank, or a tab), an absent cell
// written as the blank text, numbers formatted straight into the sink.
// A new layout of the cells is a class of its own beside this one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

#include "number/number_format.h"
#include "output/block_sink.h"
#include "table/cell.h"
#include "table/table_file.h"

namespace tabsift {

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
