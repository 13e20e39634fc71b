#include "effects/Dissolves.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <vector>

#include "effects/PiecePool.h"
#include "effects/RevealInPlace.h"

namespace saver::effects {
namespace {

// Pieces numbered 0 ... count - 1: block indices (column * rows + row), rows or columns.
std::vector<std::uint32_t> Numbers(int count) {
  std::vector<std::uint32_t> numbers(static_cast<std::size_t>(std::max(count, 0)));
  std::iota(numbers.begin(), numbers.end(), 0u);
  return numbers;
}

int BlocksAcross(int length, int side) { return length > 0 ? (length + side - 1) / side : 0; }

// Each dissolve seeds its own generator from the clock (seed 0), then draws every piece once
// with a wait after each. Nothing else draws random numbers on the scene thread meanwhile, so the
// pool may borrow the thread's generator while it picks.
template <typename Reveal>
void PacedDissolve(CEffectContext& context, int pieces, Reveal reveal) {
  CRandomRange random(0);
  CPiecePool(Numbers(pieces)).TakeWhile(random, [&](std::uint32_t piece) {
    reveal(piece);
    context.Wait();
    return true;
  });
}

// The square blocks picked since the last drawing, marked on a map of the block grid kept row by
// row. Drawing walks the map from the top and copies every run of neighbours marked in one block
// row as one block: memory is walked in order, and a slice that picked most of a row draws it
// in a single copy. Blocks on the right and bottom edges are cut by the context.
class CPickedBlocks {
 public:
  CPickedBlocks(int width, int height, int side)
      : side_(side),
        columns_(BlocksAcross(width, side)),
        rows_(BlocksAcross(height, side)),
        marks_(static_cast<std::size_t>(columns_) * rows_) {}

  // The pool's pieces: the map index of every block, column by column (x outer, y inner).
  std::vector<std::uint32_t> ColumnByColumn() const {
    std::vector<std::uint32_t> cells(marks_.size());
    auto* next = cells.data();
    for (int column = 0; column < columns_; ++column) {
      for (int row = 0; row < rows_; ++row) *next++ = static_cast<std::uint32_t>(row * columns_ + column);
    }
    return cells;
  }

  void Mark(std::uint32_t cell) { marks_[cell] = 1; }

  void Draw(CEffectContext& context) {
    for (int row = 0; row < rows_; ++row) {
      std::uint8_t* const marks = marks_.data() + static_cast<std::size_t>(row) * columns_;
      std::size_t column = 0;
      while (column < static_cast<std::size_t>(columns_)) {
        const auto* first = static_cast<const std::uint8_t*>(std::memchr(marks + column, 1, columns_ - column));
        if (!first) break;
        const std::size_t start = static_cast<std::size_t>(first - marks);
        const auto* end = static_cast<const std::uint8_t*>(std::memchr(first, 0, columns_ - start));
        column = end ? static_cast<std::size_t>(end - marks) : static_cast<std::size_t>(columns_);
        std::memset(marks + start, 0, column - start);
        const int x = static_cast<int>(start) * side_;
        RevealBlock(context, x, row * side_, static_cast<int>(column) * side_ - x, side_);
      }
    }
  }

 private:
  int side_, columns_, rows_;
  std::vector<std::uint8_t> marks_;  // 1: picked and not drawn yet
};

// Slices of drawing time for the unpaced dissolve: a screen shows at most one frame per refresh,
// so the picks of a few milliseconds go out together.
class CDrawingSlices {
 public:
  explicit CDrawingSlices(CEffectContext& context) : context_(context), start_(context.TickCount()) {}

  bool Over() const { return context_.TickCount() - start_ >= kSliceMs; }  // unsigned: right across the wrap
  void Restart() { start_ = context_.TickCount(); }

 private:
  static constexpr std::uint32_t kSliceMs = 8;

  CEffectContext& context_;
  std::uint32_t start_;
};

// The clock is read only between runs of this many picks: a pick costs nanoseconds, the tick count
// a call to the system.
constexpr std::uint32_t kPicksPerClockRead = 256;

}  // namespace

// Unpaced, so that tens of thousands of blocks stay quick; the only dissolve that ends early
// when asked to stop (polled after every pick), leaving the picture partly drawn: every block
// picked so far is drawn, and no other. The picks go in runs between readings of the clock; the
// blocks picked in a slice are drawn when it is over.
void DissolveSmallBlocks(CEffectContext& context) {
  CPickedBlocks picked(context.Width(), context.Height(), 4);
  CRandomRange random(0);
  CPiecePool pool(picked.ColumnByColumn());
  CDrawingSlices slices(context);
  bool stop = false;
  while (!stop && !pool.Empty()) {
    std::uint32_t picks = 0;
    pool.TakeWhile(random, [&](std::uint32_t cell) {
      picked.Mark(cell);
      stop = context.StopRequested();
      return !stop && ++picks < kPicksPerClockRead;
    });
    if (!stop && slices.Over()) {
      picked.Draw(context);
      slices.Restart();
    }
  }
  picked.Draw(context);
}

void DissolveLargeBlocks(CEffectContext& context) {
  constexpr int kSide = 8;
  const int rows = BlocksAcross(context.Height(), kSide);
  PacedDissolve(context, BlocksAcross(context.Width(), kSide) * rows, [&](std::uint32_t block) {
    const int index = static_cast<int>(block);
    RevealBlock(context, index / rows * kSide, index % rows * kSide, kSide, kSide);
  });
}

void DissolveRows(CEffectContext& context) {
  PacedDissolve(context, context.Height(), [&](std::uint32_t y) { RevealRow(context, static_cast<int>(y)); });
}

void DissolveColumns(CEffectContext& context) {
  PacedDissolve(context, context.Width(), [&](std::uint32_t x) { RevealColumn(context, static_cast<int>(x)); });
}

}  // namespace saver::effects
