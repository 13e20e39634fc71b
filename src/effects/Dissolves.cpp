#include "effects/Dissolves.h"

#include <algorithm>
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

}  // namespace

// Unpaced, so that tens of thousands of blocks stay quick; the only dissolve that ends early
// when asked to stop, leaving the picture partly drawn.
void DissolveSmallBlocks(EffectContext& context) {
  CRandomRange random(0);
  PiecePool pool(Blocks(context.Width(), context.Height(), 4));
  while (!pool.Empty()) {
    Reveal(context, pool.Take(random));
    if (context.StopRequested()) return;
  }
}

void DissolveLargeBlocks(EffectContext& context) {
  PacedDissolve(context, Blocks(context.Width(), context.Height(), 8));
}

void DissolveRows(EffectContext& context) { PacedDissolve(context, Rows(context.Width(), context.Height())); }

void DissolveColumns(EffectContext& context) {
  PacedDissolve(context, Columns(context.Width(), context.Height()));
}

}  // namespace saver::effects
