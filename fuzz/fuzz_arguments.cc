// Every operation argument grammar on a small table: the first byte picks the
// operation and the cell type (double with named columns for the last), the
// rest is the argument. Nothing may crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/diagnostics.h"
#include "table/data_operations.h"

namespace {

template <typename T>
void apply(unsigned op, const std::string& argument, bool named = false) {
  using Value = typename DataOperations<T>::Value;
  const Value absent;
  auto cell = [](T number) { return Value(number); };
  DataOperations<T> store;
  if (op & 8) store.join();
  if (op & 16) store.col();
  store.tol(0.5);
  using Line = typename DataOperations<T>::Line;
  const std::vector<std::vector<Line>> files = {
      {{cell(1), cell(2), absent}, {cell(3), cell(-4), cell(5)}},
      {{cell(7), absent}, {cell(1), cell(9)}, {cell(0), cell(2)}}};
  for (const auto& lines : files) {
    auto& file = store.data.emplace_back();
    for (const Line& line : lines) file.push_back(line);
  }
  store.fileInputs = {0, 2};
  store.commentLines = {{"# T = 300"}, {"\r\n"}, {"# T = 1e40 E = 2"}};
  store.parameters = {{{"T", 300.0}}, {}, {{"T", 1e40}, {"E", 2.0}}};
  if (named) {
    store.header();
    store.columnNames = {{"a", "T", "x"}, {"x", "b"}};
  }
  if (op & 32) store.merge();
  try {
    switch (op % 6) {
      case 0: store.setFilter(argument); break;
      case 1: store.swap(argument); break;
      case 2: store.group(argument); break;
      case 3: store.print(argument); break;
      case 4: store.calculate(argument); break;
      case 5: store.comments(argument); break;
    }
    // A second operation on the reshaped table finds what the first left.
    store.calculate("s,a,m,d,c,l,h,e,p37.5,b");
    store.group("f");
    // Results only on whatever shape is left, then parameters beside them.
    store.results();
    store.calculate("a,d");
    store.print("T,1");
  } catch (const tabsift::ArgumentRejected&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes,
                                      std::size_t size) {
  if (size == 0) return 0;
  const unsigned op = bytes[0];
  const std::string argument(reinterpret_cast<const char*>(bytes + 1),
                             size - 1);
  switch (op >> 6) {
    case 0: apply<double>(op, argument); break;
    case 1: apply<float>(op, argument); break;
    case 2: apply<int>(op, argument); break;
    default: apply<double>(op, argument, true); break;
  }
  return 0;
}
