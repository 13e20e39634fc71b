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
// draw_rows(k, n) draws both corners' rows. The final blit completes what truncation leaves.
template <typename DrawRows>
void Triangles(CEffectContext& context, DrawRows draw_rows) {
  if (IsEmpty(context)) return;
  const float slope = Slope(context);
  for (int s = 0; s <= context.Height(); ++s) {
    for (int k = 0; k <= s; ++k) draw_rows(k, static_cast<int>(float(s - k) * slope));
    context.Wait();
  }
  DrawWholeNew(context);
}

// Band width b = 0, 1, ...: on each of `rows` rows the band covers b pixels centred on the
// diagonal; draw_rows(b) draws them. A short wait after every 15th width. The band widens until
// it has passed both ends of every row (b about 2w).
template <typename DrawRows>
void WideningBand(CEffectContext& context, int rows, DrawRows draw_rows) {
  if (IsEmpty(context)) return;
  const float reach = float(rows) * Slope(context);
  for (int b = 0; reach - float(b / 2) > 0.0f || b <= context.Width(); ++b) {
    draw_rows(b);
    if (b % 15 == 0) context.Wait(context.Pace() / 2, 1000.0);
  }
}

void BandRow(CEffectContext& context, int y, int centre, int b) {
  const int x0 = centre - b / 2;
  RevealBlock(context, x0, y, std::min(b, context.Width() - x0), 1);
}

}  // namespace

void TrianglesFromBottomLeftAndTopRight(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  Triangles(context, [&](int k, int n) {
    RevealBlock(context, 0, h - 1 - k, n, 1);
    RevealBlock(context, w - n, k, n, 1);
  });
}

void TrianglesFromBottomRightAndTopLeft(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  Triangles(context, [&](int k, int n) {
    if (k >= h) return;
    RevealBlock(context, w - n, h - 1 - k, n, 1);
    RevealBlock(context, 0, k, n, 1);
  });
}

// Centre line from (0, 0) to (w, h); pieces left of column 0 are cut there.
void BandAroundFallingDiagonal(CEffectContext& context) {
  const int h = context.Height();
  const float slope = Slope(context);
  WideningBand(context, h, [&](int b) {
    for (int y = 0; y < h; ++y) BandRow(context, y, static_cast<int>(float(y) * slope), b);
  });
}

// Centre line from (0, h) to (w, 0).
void BandAroundRisingDiagonal(CEffectContext& context) {
  const int h = context.Height();
  const float slope = Slope(context);
  WideningBand(context, h + 1, [&](int b) {
    for (int k = 1; k <= h; ++k) BandRow(context, h - k, static_cast<int>(float(k) * slope), b);
  });
}

}  // namespace saver::effects
