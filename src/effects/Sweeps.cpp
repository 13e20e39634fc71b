#include "effects/Sweeps.h"

#include "effects/RevealInPlace.h"

namespace saver::effects {
namespace {

// Step s = 0 ... w, one wait each: row k (k = 0 ... h) of each wedge gets n = trunc(k * s / h)
// pixels, so the wedge's edge runs from the pivot's corner to (s, h). The last step gives every
// row half the width from each side. draw_rows(k, n) draws both wedges' rows.
template <typename DrawRows>
void Sweep(CEffectContext& context, DrawRows draw_rows) {
  const int w = context.Width(), h = context.Height();
  if (w <= 0 || h <= 0) return;
  for (int s = 0; s <= w; ++s) {
    for (int k = 0; k <= h; ++k) {
      const long long n = s == w ? w / 2 : static_cast<long long>(k) * s / h;
      draw_rows(k, static_cast<int>(n));
    }
    context.Wait();
  }
  if (w % 2 == 1 && h % 2 == 1) RevealBlock(context, w / 2 - 1, h / 2 - 5, 3, 11);
  // Both halves leave out the middle column of an odd width, and the block above covers only 11
  // of its rows: draw all of it, so that the last frame is the new picture.
  if (w % 2 == 1) RevealColumn(context, w / 2);
}

}  // namespace

void SweepFromTopLeftAndBottomRight(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  Sweep(context, [&](int k, int n) {
    RevealBlock(context, 0, k, n, 1);
    RevealBlock(context, w - n, h - k, n, 1);
  });
}

void SweepFromBottomLeftAndTopRight(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  Sweep(context, [&](int k, int n) {
    RevealBlock(context, 0, h - k, n, 1);
    RevealBlock(context, w - n, k, n, 1);
  });
}

}  // namespace saver::effects
