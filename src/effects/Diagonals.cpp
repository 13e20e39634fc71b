#include "effects/Diagonals.h"

#include <algorithm>

#include "effects/Progress.h"
#include "effects/RevealInPlace.h"

namespace saver::effects {
namespace {

// Pixels across per row down, in single precision like every slope of these effects.
float Slope(CEffectContext& context) { return float(context.Width()) / float(context.Height()); }

bool IsEmpty(CEffectContext& context) { return context.Width() <= 0 || context.Height() <= 0; }

// Step s = 0 ... h: row k from each corner gets n = trunc((s - k) * w / h) pixels, k = 0 ... s;
// draw_rows(batch, k, n) adds both corners' rows to the step's batch. The final blit completes
// what truncation leaves.
template <typename DrawRows>
void Triangles(CEffectContext& context, DrawRows draw_rows) {
  if (IsEmpty(context)) return;
  const float slope = Slope(context);
  CRevealBatch batch(context);
  for (int s = 0; s <= context.Height(); ++s) {
    for (int k = 0; k <= s; ++k) draw_rows(batch, k, static_cast<int>(float(s - k) * slope));
    batch.Flush();
    context.Wait();
  }
  DrawWholeNew(context);
}

// Band width b = 0, 1, ...: on each of `rows` rows the band covers b pixels centred on the
// diagonal. A short wait after every 15th width. The band widens until it has passed both ends of
// every row (b about 2w). A wider band holds every narrower one and its pixels are plain copies
// in place, so only what widened since the last wait is drawn, before the wait (and at the end):
// draw_rows(from, b) draws the band of width b less the band of width `from`.
template <typename DrawRows>
void WideningBand(CEffectContext& context, int rows, DrawRows draw_rows) {
  if (IsEmpty(context)) return;
  const float reach = float(rows) * Slope(context);
  int drawn = 0, b = 0;
  for (; reach - float(b / 2) > 0.0f || b <= context.Width(); ++b) {
    if (b % 15 != 0) continue;
    draw_rows(drawn, b);
    drawn = b;
    context.Wait(context.Pace() / 2, 1000.0);
  }
  if (b - 1 > drawn) draw_rows(drawn, b - 1);
}

// Columns x0 ... end - 1 of the band of width b around `centre`, cut at the right edge (the
// context cuts it at the left one).
struct BandSpan {
  int x0, end;
  BandSpan(CEffectContext& context, int centre, int b) : x0(centre - b / 2), end(std::min(x0 + b, context.Width())) {}
};

// The band of width b on row y less the band of width `from` there: the part left of the
// narrower band and the part right of it.
void BandRow(CEffectContext& context, int y, int centre, int from, int b) {
  const BandSpan wide(context, centre, b), narrow(context, centre, from);
  const int left_end = std::min(narrow.x0, wide.end), right_start = std::max(narrow.end, narrow.x0);
  RevealBlock(context, wide.x0, y, left_end - wide.x0, 1);
  RevealBlock(context, right_start, y, wide.end - right_start, 1);
}

}  // namespace

void TrianglesFromBottomLeftAndTopRight(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  Triangles(context, [&](CRevealBatch& batch, int k, int n) {
    batch.Add(0, h - 1 - k, n, 1);
    batch.Add(w - n, k, n, 1);
  });
}

void TrianglesFromBottomRightAndTopLeft(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  Triangles(context, [&](CRevealBatch& batch, int k, int n) {
    if (k >= h) return;
    batch.Add(w - n, h - 1 - k, n, 1);
    batch.Add(0, k, n, 1);
  });
}

// Centre line from (0, 0) to (w, h); pieces left of column 0 are cut there.
void BandAroundFallingDiagonal(CEffectContext& context) {
  const int h = context.Height();
  const float slope = Slope(context);
  WideningBand(context, h, [&](int from, int b) {
    for (int y = 0; y < h; ++y) BandRow(context, y, static_cast<int>(float(y) * slope), from, b);
  });
}

// Centre line from (0, h) to (w, 0).
void BandAroundRisingDiagonal(CEffectContext& context) {
  const int h = context.Height();
  const float slope = Slope(context);
  WideningBand(context, h + 1, [&](int from, int b) {
    for (int k = 1; k <= h; ++k) BandRow(context, h - k, static_cast<int>(float(k) * slope), from, b);
  });
}

}  // namespace saver::effects
