#include "effects/Dissolves.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <vector>

#include "effects/PiecePool.h"
#include "effects/RevealInPlace.h"

namespace saver::effects {
namespace {

// Square blocks of `side` pixels, cut at the right and bottom edges, column by column (x outer,
// y inner), the order in which the pool starts.
std::vector<Rect> Blocks(int w, int h, int side) {
  std::vector<Rect> blocks;
  blocks.reserve(static_cast<std::size_t>((w + side - 1) / side) * ((h + side - 1) / side));
  for (int x = 0; x < w; x += side) {
    for (int y = 0; y < h; y += side) {
      blocks.push_back(Rect::FromSize(x, y, std::min(side, w - x), std::min(side, h - y)));
    }
  }
  return blocks;
}

std::vector<Rect> Rows(int w, int h) {
  std::vector<Rect> rows;
  rows.reserve(static_cast<std::size_t>(std::max(h, 0)));
  for (int y = 0; y < h; ++y) rows.push_back(Rect::FromSize(0, y, w, 1));
  return rows;
}

std::vector<Rect> Columns(int w, int h) {
  std::vector<Rect> columns;
  columns.reserve(static_cast<std::size_t>(std::max(w, 0)));
  for (int x = 0; x < w; ++x) columns.push_back(Rect::FromSize(x, 0, 1, h));
  return columns;
}

void Reveal(EffectContext& context, const Rect& piece) {
  RevealBlock(context, piece.left, piece.top, piece.Width(), piece.Height());
}

// Each dissolve seeds its own generator from the clock (seed 0), then draws every piece once
// with a wait after each.
void PacedDissolve(EffectContext& context, std::vector<Rect> pieces) {
  CRandomRange random(0);
  PiecePool pool(std::move(pieces));
  while (!pool.Empty()) {
    Reveal(context, pool.Take(random));
    context.Wait();
  }
}

// The blocks picked since the last drawing, drawn in one pass by block row so that the pictures
// are walked from top to bottom instead of at random. Which blocks a pass holds is unchanged; only
// their order inside the pass is.
class RowOrderedBatch {
 public:
  RowOrderedBatch(int height, int side)
      : side_(side), row_starts_(static_cast<std::size_t>(std::max(height, 0) / side) + 2) {}

  void Add(const Rect& block) { picked_.push_back(block); }
  std::size_t Size() const { return picked_.size(); }

  // A counting sort on the block row: linear in the pass, where a comparison sort is not.
  void Draw(EffectContext& context) {
    std::fill(row_starts_.begin(), row_starts_.end(), 0);
    for (const Rect& block : picked_) ++row_starts_[RowOf(block) + 1];
    std::partial_sum(row_starts_.begin(), row_starts_.end(), row_starts_.begin());
    ordered_.resize(picked_.size());
    for (const Rect& block : picked_) ordered_[row_starts_[RowOf(block)]++] = block;
    for (const Rect& block : ordered_) Reveal(context, block);
    picked_.clear();
  }

 private:
  std::size_t RowOf(const Rect& block) const { return static_cast<std::size_t>(block.top / side_); }

  int side_;
  std::vector<std::uint32_t> row_starts_;
  std::vector<Rect> picked_, ordered_;
};

// Passes per run of the small-block dissolve: enough that the screen still dissolves while it
// draws, few enough that every pass has many blocks to every block row.
constexpr std::size_t kSmallBlockPasses = 8;

}  // namespace

// Unpaced, so that tens of thousands of blocks stay quick; the only dissolve that ends early
// when asked to stop, leaving the picture partly drawn (every block picked so far is drawn).
// Having no waits, it draws its picks in passes rather than one by one.
void DissolveSmallBlocks(EffectContext& context) {
  constexpr int kSide = 4;
  CRandomRange random(0);
  PiecePool pool(Blocks(context.Width(), context.Height(), kSide));
  const std::size_t pass_size = std::max<std::size_t>(1, pool.Size() / kSmallBlockPasses);
  RowOrderedBatch batch(context.Height(), kSide);
  while (!pool.Empty()) {
    batch.Add(pool.Take(random));
    if (context.StopRequested()) break;
    if (batch.Size() == pass_size) batch.Draw(context);
  }
  batch.Draw(context);
}

void DissolveLargeBlocks(EffectContext& context) {
  PacedDissolve(context, Blocks(context.Width(), context.Height(), 8));
}

void DissolveRows(EffectContext& context) { PacedDissolve(context, Rows(context.Width(), context.Height())); }

void DissolveColumns(EffectContext& context) {
  PacedDissolve(context, Columns(context.Width(), context.Height()));
}

}  // namespace saver::effects
