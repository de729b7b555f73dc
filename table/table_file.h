// One file of the table: its lines of cells kept in one contiguous block, a
// line being a place in the block rather than an allocation of its own.
//
// While every line is equally wide (the usual case, and always so after
// blank filling) the file keeps no per-line record at all: line l starts at
// l times the stride (the room each line has, at least its width). A file
// whose lines differ in width keeps the start and size of its lines (one
// record for a run of equally wide lines, else one per line) in records
// that grow geometrically (table/line_spans.h), so that every shape of
// table takes time linear in its size. Either way reading a file allocates
// nothing per line, and the operations that reshape the table (filter,
// selection, statistics, merge, blank filling) move the cells inside the
// block instead of building a second table.
//
// data[f][l][c], .size() and range-for over lines and cells read as they
// would for nested vectors; a line is handed out as a view (LineRef), valid
// until the file is changed by anything other than that view.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/check.h"
#include "table/cell_block.h"
#include "table/line_spans.h"

namespace tabsift {

template <typename Cell>
class TableFile;

// One line of a file: its cells, in the file's block.
template <typename Cell>
class LineRef {
  using Mutable = std::remove_const_t<Cell>;
  using Owner =
      std::conditional_t<std::is_const_v<Cell>, const TableFile<Mutable>,
                         TableFile<Mutable>>;

 public:
  using value_type = Mutable;

  LineRef() = default;
  LineRef(Cell* cells, std::size_t size, Owner* file, std::size_t index)
      : cells_(cells), size_(size), file_(file), index_(index) {}

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  Cell& operator[](std::size_t k) const {
    TABSIFT_ASSERT(k < size_);
    return cells_[k];
  }
  Cell* data() const { return cells_; }
  Cell* begin() const { return cells_; }
  Cell* end() const { return cells_ + size_; }
  Cell& front() const { return (*this)[0]; }
  Cell& back() const { return (*this)[size_ - 1]; }

  // Appends one cell to the line; the file makes room for it.
  void push_back(const Mutable& cell) requires(!std::is_const_v<Cell>) {
    file_->appendCell(index_, cell);
    *this = (*file_)[index_];
  }

  // Makes room for `n` cells in the line (and, as it goes, in every line of
  // the file), so that appending up to n cells moves nothing.
  void reserve(std::size_t n) requires(!std::is_const_v<Cell>) {
    file_->reserveLine(index_, n);
    *this = (*file_)[index_];
  }

 private:
  Cell* cells_ = nullptr;
  std::size_t size_ = 0;
  Owner* file_ = nullptr;
  std::size_t index_ = 0;
};

// Walks the lines of a file, handing out each line's view by reference so
// that `for (auto& line : file)` and `for (const auto& line : file)` work.
template <typename Owner, typename Ref>
class LineIterator {
 public:
  using value_type = Ref;
  using difference_type = std::ptrdiff_t;

  LineIterator() = default;
  LineIterator(Owner* file, std::size_t index) : file_(file), index_(index) {}

  Ref& operator*() const {
    stash_ = (*file_)[index_];
    return stash_;
  }
  Ref* operator->() const { return &**this; }
  LineIterator& operator++() {
    ++index_;
    return *this;
  }
  LineIterator operator++(int) {
    LineIterator before = *this;
    ++index_;
    return before;
  }
  bool operator==(const LineIterator& other) const {
    return index_ == other.index_;
  }

 private:
  Owner* file_ = nullptr;
  std::size_t index_ = 0;
  mutable Ref stash_;
};

template <typename Cell>
class TableFile {
  static_assert(std::is_trivially_copyable_v<Cell>);

 public:
  using Ref = LineRef<Cell>;
  using ConstRef = LineRef<const Cell>;
  using iterator = LineIterator<TableFile, Ref>;
  using const_iterator = LineIterator<const TableFile, ConstRef>;

  TableFile() = default;
  TableFile(TableFile&& other) noexcept { swap(other); }
  TableFile& operator=(TableFile&& other) noexcept {
    if (this != &other) {
      TableFile gone(std::move(other));
      swap(gone);
    }
    return *this;
  }
  TableFile(const TableFile&) = delete;
  TableFile& operator=(const TableFile&) = delete;

  void swap(TableFile& other) noexcept {
    std::swap(block_, other.block_);
    swapLayout(other);
  }

  // Swaps everything but the blocks: which lines there are and where.
  void swapLayout(TableFile& other) noexcept {
    std::swap(count_, other.count_);
    std::swap(paddedTaken_, other.paddedTaken_);
    std::swap(paddingSpent_, other.paddingSpent_);
    std::swap(width_, other.width_);
    std::swap(stride_, other.stride_);
    std::swap(grown_, other.grown_);
    std::swap(ragged_, other.ragged_);
    std::swap(used_, other.used_);
    spans_.swap(other.spans_);
  }

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }

  Ref operator[](std::size_t l) {
    const LineSpan span = spanOf(l);
    return Ref(cells() + span.begin, span.size, this, l);
  }
  ConstRef operator[](std::size_t l) const {
    const LineSpan span = spanOf(l);
    return ConstRef(cells() + span.begin, span.size, this, l);
  }
  Ref front() { return (*this)[0]; }
  ConstRef front() const { return (*this)[0]; }
  Ref back() { return (*this)[count_ - 1]; }
  ConstRef back() const { return (*this)[count_ - 1]; }

  iterator begin() { return iterator(this, 0); }
  iterator end() { return iterator(this, count_); }
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, count_); }

  // Whether every line holds the same number of cells at a fixed distance,
  // so that the file keeps no per-line record.
  bool uniform() const { return !ragged_ && grown_ == 0; }

  // The bytes the room of the per-line records takes (0 while the file
  // keeps none), for tests to see how they grow.
  std::size_t recordBytes() const { return spans_.bytes(); }

  // Appends a line holding the `n` cells at `cells`.
  void appendLine(const Cell* cells, std::size_t n);
  template <typename Line>
  void push_back(const Line& line) {
    appendLine(line.data(), line.size());
  }
  void emplace_back() { appendLine(nullptr, 0); }
  // Appends a line made of the cells that the values of [first, last) make.
  template <typename Iterator>
  void emplace_back(Iterator first, Iterator last) {
    push_back(std::vector<Cell>(first, last));
  }
  // Appends a line holding the `n` cells at `cells` as blank filling will
  // leave it: padded with absent cells to the width of the lines before it,
  // or, when wider than they are, with every line before it padded to its
  // width; so that a file read this way is usually of one width already.
  // The padding and the moving of lines this takes stay within the cells
  // appended this way, and a few thousand more; past that a line is taken
  // as it is (a file whose widths differ takes every line so), and blank
  // filling asks for all the room at once: one wide line among many short
  // ones then fails at once where the room cannot be had, instead of
  // filling memory line by line.
  void appendPadded(const Cell* cells, std::size_t n) {
    paddedTaken_ += n;
    if (n == width_ && uniform() && count_ > 0) {
      appendLine(cells, n);
    } else {
      appendPaddedAsItFits(cells, n);
    }
  }

  // Appends a line of `n` cells left unset: the caller sets every one of
  // them before anything reads them.
  Ref appendUnset(std::size_t n) {
    place(n);
    return (*this)[count_ - 1];
  }

  // Appends cell to line l (l < size(); LineRef::push_back).
  void appendCell(std::size_t l, const Cell& cell);
  // Room for n cells in line l (l < size(); LineRef::reserve).
  void reserveLine(std::size_t l, std::size_t n);

  // The number of cells of the longest line, at least `width`.
  std::size_t widest(std::size_t width = 0) const;

  // Pads every line shorter than `width` with absent cells.
  void padTo(std::size_t width);

  // Puts `cell` in front of the cells of every line.
  void prependCell(const Cell& cell);

  // Rebuilds every line where it stands: fn(line, out) puts the new cells of
  // the line into `out` (handed over empty) and says whether the line stays.
  // Lines move toward the front of the block; only when a line grows past
  // the next one is the rest built in a new block.
  template <typename Fn>
  void rewrite(Fn fn);

  // Moves every line of `other` after the lines of this file and empties
  // `other`.
  void appendFile(TableFile&& other);

  // Declares the block to hold, from its start, lines of `sizes` one after
  // another (at most the cells the file holds now), written there by the
  // caller through the lines' data().
  void relayoutPacked(const std::vector<std::size_t>& sizes) {
    LineSpans spans;
    std::size_t at = 0;
    for (std::size_t size : sizes) {
      spans.push_back({at, size});
      at += size;
    }
    TABSIFT_ASSERT(at <= usedCells());
    count_ = sizes.size();
    ragged_ = true;
    grown_ = 0;
    used_ = at;
    spans_.swap(spans);
    pack();
    TABSIFT_ASSERT(layoutHolds());
  }

  // Gives back the memory of lines [0, l) (l at most size()), which must not
  // be read again; every later line keeps its cells.
  void discardLinesBelow(std::size_t l) {
    TABSIFT_ASSERT(l <= count_);
    if (l == 0) return;
    block_.discardBelow((l < count_ ? beginOf(l) : usedCells()) * sizeof(Cell));
  }

  // Gives back the room beyond the last line.
  void shrinkToFit() {
    block_.shrink(usedCells() * sizeof(Cell));
    spans_.shrinkToFit();
  }

  // The lines of this file in a file of their own whose block is sized to
  // fit (a large block is handed over as it is, a small one copied into
  // a shared one); this file is left without lines but keeps a small block
  // for the lines it is given next.
  TableFile takeExact() {
    TableFile taken;
    if (block_.mapped()) {
      shrinkToFit();
      taken.swap(*this);
      return taken;
    }
    const std::size_t n = usedCells();
    taken.block_.allocateExact(n * sizeof(Cell));
    moveCells(taken.cells(), cells(), n);
    taken.swapLayout(*this);
    return taken;
  }

  // Removes every line and frees the block.
  void clear() {
    TableFile gone;
    swap(gone);
  }

 private:
  Cell* cells() const { return reinterpret_cast<Cell*>(block_.data()); }

  LineSpan spanOf(std::size_t l) const {
    TABSIFT_ASSERT(l < count_);
    if (ragged_) return spans_[l];
    return {l * stride_, width_ + (l < grown_ ? 1 : 0)};
  }
  std::size_t beginOf(std::size_t l) const { return spanOf(l).begin; }
  std::size_t sizeOf(std::size_t l) const { return spanOf(l).size; }
  // The end of the room of the last line: where the next line goes.
  std::size_t usedCells() const { return ragged_ ? used_ : count_ * stride_; }
  // Where the room of line l ends.
  std::size_t roomEnd(std::size_t l) const {
    return l + 1 < count_ ? beginOf(l + 1) : usedCells();
  }

  // Moves n cells; nothing at all for none (the block may not exist yet).
  static void moveCells(Cell* to, const Cell* from, std::size_t n) {
    if (n > 0) std::memmove(static_cast<void*>(to), from, n * sizeof(Cell));
  }

  static std::size_t product(std::size_t a, std::size_t b) {
    if (b != 0 && a > SIZE_MAX / sizeof(Cell) / b) throw std::bad_alloc();
    return a * b;
  }
  static std::size_t sum(std::size_t a, std::size_t b) {
    if (a > SIZE_MAX / sizeof(Cell) - b) throw std::bad_alloc();
    return a + b;
  }
  void ensureCells(std::size_t n) {
    if (n > SIZE_MAX / sizeof(Cell)) throw std::bad_alloc();
    block_.reserve(n * sizeof(Cell), usedCells() * sizeof(Cell));
  }
  bool inBlock(const Cell* p) const {
    const std::less<const Cell*> less;
    return p != nullptr && !less(p, cells()) &&
           less(p, cells() + block_.capacity() / sizeof(Cell));
  }

  // What every member leaves true of the layout; cheap enough for the
  // checking builds to test after every change.
  bool layoutHolds() const {
    const std::size_t room = block_.capacity() / sizeof(Cell);
    if (ragged_) {
      return spans_.size() == count_ && grown_ == 0 && used_ <= room &&
             (count_ == 0 ||
              spans_[count_ - 1].begin + spans_[count_ - 1].size <= used_);
    }
    return spans_.size() == 0 && used_ == 0 &&
           (grown_ == 0 || grown_ < count_) &&
           (count_ == 0 || width_ + (grown_ > 0 ? 1 : 0) <= stride_) &&
           count_ * stride_ <= room;
  }

  // appendPadded of a line of another width than the lines before it.
  void appendPaddedAsItFits(const Cell* cells, std::size_t n);
  // Room for a new last line of n cells: where its cells go.
  Cell* place(std::size_t n);
  void makeRagged();
  // Records for the lines of `other`, whose cells now start at cell `at`.
  void appendRecordsOf(const TableFile& other, std::size_t at);
  void restride(std::size_t stride);
  void respace(std::size_t extra);
  void pack();

  CellBlock block_;
  std::size_t count_ = 0;
  // The cells appended by appendPadded, and the cells its padding and
  // moving wrote beyond them.
  std::size_t paddedTaken_ = 0;
  std::size_t paddingSpent_ = 0;
  // Equal widths: every line holds width_ cells (lines below grown_ one
  // more) and starts at a multiple of stride_.
  std::size_t width_ = 0;
  std::size_t stride_ = 0;
  std::size_t grown_ = 0;
  // Differing widths: the start and size of every line, and the end of the
  // room of the last one.
  bool ragged_ = false;
  std::size_t used_ = 0;
  LineSpans spans_;
};

template <typename Cell>
void TableFile<Cell>::appendLine(const Cell* source, std::size_t n) {
  if (n > 0 && inBlock(source)) {
    const std::vector<Cell> copy(source, source + n);
    appendLine(copy.data(), n);
    return;
  }
  Cell* to = place(n);
  moveCells(to, source, n);
}

template <typename Cell>
void TableFile<Cell>::appendPaddedAsItFits(const Cell* source, std::size_t n) {
  if (ragged_ || grown_ != 0 || n == width_ || count_ == 0 || inBlock(source)) {
    appendLine(source, n);
    return;
  }
  // Padding the line, or every line before it (moved first where the room
  // is short).
  const std::size_t cost =
      n <= width_ ? width_ - n
                  : count_ * (n - width_) + (n > stride_ ? count_ * width_ : 0);
  // A little to spare, so that the widening of the first few lines is
  // never what makes a file ragged.
  constexpr std::size_t kSpare = std::size_t{1} << 16;
  if (cost > paddedTaken_ + kSpare - paddingSpent_) {
    appendLine(source, n);
    return;
  }
  paddingSpent_ += cost;
  if (n > width_) padTo(n);
  Cell* to = place(width_);
  moveCells(to, source, n);
  std::fill(to + n, to + width_, Cell());
}

template <typename Cell>
Cell* TableFile<Cell>::place(std::size_t n) {
  if (!ragged_) {
    if (count_ == 0) {
      width_ = n;
      stride_ = n;
      grown_ = 0;
    } else if (grown_ != 0 || n != width_) {
      makeRagged();
    }
  }
  if (!ragged_) {
    const std::size_t at = count_ * stride_;
    ensureCells(sum(at, stride_));
    ++count_;
    TABSIFT_ASSERT(layoutHolds());
    return cells() + at;
  }
  ensureCells(sum(used_, n));
  const std::size_t at = used_;
  spans_.push_back({at, n});
  used_ += n;
  ++count_;
  TABSIFT_ASSERT(layoutHolds());
  return cells() + at;
}

template <typename Cell>
void TableFile<Cell>::appendCell(std::size_t l, const Cell& cell) {
  TABSIFT_ASSERT(l < count_);
  if (!ragged_) {
    // Lines take their cell in order, as the line statistics append them:
    // the lines below grown_ hold one cell more than the others.
    if (l == grown_) {
      if (grown_ == 0 && stride_ < width_ + 1) restride(sum(width_, 1));
      cells()[l * stride_ + width_] = cell;
      if (++grown_ == count_) {
        ++width_;
        grown_ = 0;
      }
      TABSIFT_ASSERT(layoutHolds());
      return;
    }
    makeRagged();
  }
  const LineSpan span = spans_[l];
  if (span.begin + span.size == roomEnd(l)) {
    if (l + 1 == count_) {
      ensureCells(sum(used_, 1));
      ++used_;
    } else {
      respace(1);
    }
  }
  LineSpan& grown = spans_.edit(l);
  cells()[grown.begin + grown.size] = cell;
  ++grown.size;
  TABSIFT_ASSERT(layoutHolds());
}

template <typename Cell>
void TableFile<Cell>::reserveLine(std::size_t l, std::size_t n) {
  TABSIFT_ASSERT(l < count_);
  if (!ragged_) {
    if (n <= stride_) return;
    if (grown_ == 0) {
      restride(n);
      return;
    }
    makeRagged();
  }
  const std::size_t begin = spans_[l].begin;
  const std::size_t room = roomEnd(l) - begin;
  if (n <= room) return;
  if (l + 1 == count_) {
    ensureCells(sum(begin, n));
    used_ = begin + n;
  } else {
    respace(n - room);
  }
  TABSIFT_ASSERT(layoutHolds());
}

template <typename Cell>
std::size_t TableFile<Cell>::widest(std::size_t width) const {
  if (!ragged_) {
    if (count_ == 0) return width;
    return std::max(width, width_ + (grown_ > 0 ? 1 : 0));
  }
  return spans_.widest(width);
}

template <typename Cell>
void TableFile<Cell>::padTo(std::size_t width) {
  if (count_ == 0) return;
  if (widest() > width) {
    // Some lines stay longer than the rest: padded one by one.
    rewrite([width](ConstRef line, std::vector<Cell>& out) {
      out.assign(line.begin(), line.end());
      if (out.size() < width) out.resize(width);
      return true;
    });
    return;
  }
  if (grown_ != 0) makeRagged();
  if (!ragged_) {
    if (width <= width_) return;
    if (stride_ < width) restride(width);
    for (std::size_t l = 0; l < count_; ++l) {
      std::fill(cells() + l * stride_ + width_, cells() + l * stride_ + width,
                Cell());
    }
    width_ = width;
    return;
  }
  // Packed first, then spread from the last line down: each line's new place
  // lies at or after its packed one and after every line before it.
  pack();
  if (!ragged_) {
    padTo(width);
    return;
  }
  ensureCells(product(count_, width));
  for (std::size_t l = count_; l-- > 0;) {
    Cell* to = cells() + l * width;
    const LineSpan span = spans_[l];
    moveCells(to, cells() + span.begin, span.size);
    std::fill(to + span.size, to + width, Cell());
  }
  ragged_ = false;
  spans_.clear();
  width_ = width;
  stride_ = width;
  grown_ = 0;
  used_ = 0;
  TABSIFT_ASSERT(layoutHolds());
}

template <typename Cell>
void TableFile<Cell>::prependCell(const Cell& cell) {
  if (count_ == 0) return;
  if (grown_ != 0) makeRagged();
  if (!ragged_) {
    if (stride_ < width_ + 1) restride(sum(width_, 1));
    for (std::size_t l = 0; l < count_; ++l) {
      Cell* line = cells() + l * stride_;
      moveCells(line + 1, line, width_);
      line[0] = cell;
    }
    ++width_;
    return;
  }
  pack();
  if (!ragged_) {
    prependCell(cell);
    return;
  }
  respace(1);
  for (std::size_t l = 0; l < count_; ++l) {
    LineSpan& span = spans_.edit(l);
    Cell* line = cells() + span.begin;
    moveCells(line + 1, line, span.size);
    line[0] = cell;
    ++span.size;
  }
  pack();
  TABSIFT_ASSERT(layoutHolds());
}

template <typename Cell>
template <typename Fn>
void TableFile<Cell>::rewrite(Fn fn) {
  if (grown_ != 0) makeRagged();
  // The old layout stays readable while the new one is laid down from the
  // front of the same block.
  TableFile old;
  old.swapLayout(*this);  // grown_ is 0 on both sides
  TableFile spill;
  bool spilled = false;
  std::vector<Cell> out;
  for (std::size_t l = 0; l < old.count_; ++l) {
    const ConstRef line(cells() + old.beginOf(l), old.sizeOf(l), &old, l);
    out.clear();
    if (!fn(line, out)) continue;
    if (!spilled) {
      if (usedCells() + out.size() <= old.roomEnd(l)) {
        appendLine(out.data(), out.size());
        continue;
      }
      spilled = true;
      for (std::size_t k = 0; k < count_; ++k) {
        const ConstRef kept = std::as_const(*this)[k];
        spill.appendLine(kept.data(), kept.size());
      }
    }
    spill.appendLine(out.data(), out.size());
  }
  if (spilled) {
    *this = std::move(spill);
  } else {
    if (ragged_) pack();
    shrinkToFit();
  }
  TABSIFT_ASSERT(layoutHolds());
}

template <typename Cell>
void TableFile<Cell>::appendFile(TableFile&& other) {
  if (other.count_ == 0) {
    other.clear();
    return;
  }
  if (count_ == 0) {
    *this = std::move(other);
    return;
  }
  // The cells of `other` are moved as one run, room and all; only lines
  // of another width or spacing need records.
  const bool sameLayout = uniform() && other.uniform() &&
                          width_ == other.width_ && stride_ == other.stride_;
  if (!sameLayout) makeRagged();
  const std::size_t at = usedCells();
  const std::size_t n = other.usedCells();
  ensureCells(sum(at, n));
  moveCells(cells() + at, other.cells(), n);
  if (!sameLayout) {
    appendRecordsOf(other, at);
    used_ = at + n;
  }
  count_ += other.count_;
  other.clear();
  TABSIFT_ASSERT(layoutHolds());
}

template <typename Cell>
void TableFile<Cell>::makeRagged() {
  if (ragged_) return;
  LineSpans spans;
  spans.appendRun(0, width_ + 1, stride_, grown_);
  spans.appendRun(grown_ * stride_, width_, stride_, count_ - grown_);
  used_ = count_ * stride_;
  spans_.swap(spans);
  ragged_ = true;
  grown_ = 0;
}

template <typename Cell>
void TableFile<Cell>::appendRecordsOf(const TableFile& other, std::size_t at) {
  try {
    if (!other.ragged_) {
      spans_.appendRun(at, other.width_ + 1, other.stride_, other.grown_);
      spans_.appendRun(at + other.grown_ * other.stride_, other.width_,
                       other.stride_, other.count_ - other.grown_);
      return;
    }
    for (std::size_t l = 0; l < other.count_; ++l) {
      const LineSpan span = other.spans_[l];
      spans_.push_back({at + span.begin, span.size});
    }
  } catch (const std::bad_alloc&) {
    spans_.truncate(count_);
    throw;
  }
}

// Equal widths: every line gets room for `stride` cells, moved from the last
// line down so that no line is overwritten before it has moved.
template <typename Cell>
void TableFile<Cell>::restride(std::size_t stride) {
  if (stride <= stride_) return;
  ensureCells(product(count_, stride));
  for (std::size_t l = count_; l-- > 1;) {
    moveCells(cells() + l * stride, cells() + l * stride_, sizeOf(l));
  }
  stride_ = stride;
}

// Differing widths: every line gets `extra` cells more room.
template <typename Cell>
void TableFile<Cell>::respace(std::size_t extra) {
  const std::size_t used = sum(used_, product(count_, extra));
  ensureCells(used);
  for (std::size_t l = count_; l-- > 1;) {
    LineSpan& span = spans_.edit(l);
    const std::size_t to = span.begin + l * extra;
    moveCells(cells() + to, cells() + span.begin, span.size);
    span.begin = to;
  }
  used_ = used;
}

// Differing widths: lines moved together toward the front, no room between
// them; lines that turn out equally wide drop their records.
template <typename Cell>
void TableFile<Cell>::pack() {
  if (!ragged_) return;
  std::size_t at = 0;
  if (!spans_.packed(&at)) {
    at = 0;
    for (std::size_t l = 0; l < count_; ++l) {
      LineSpan& span = spans_.edit(l);
      if (span.begin != at) {
        moveCells(cells() + at, cells() + span.begin, span.size);
        span.begin = at;
      }
      at += span.size;
    }
  }
  used_ = at;
  if (spans_.sameWidths()) {
    width_ = count_ > 0 ? spans_[0].size : 0;
    stride_ = width_;
    grown_ = 0;
    ragged_ = false;
    used_ = 0;
    spans_.clear();
  }
}

}  // namespace tabsift
