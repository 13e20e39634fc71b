#include "effects/Sweeps.h"

#include <vector>

#include "effects/RevealInPlace.h"

namespace saver::effects {
namespace {

// Step s = 0 ... w, one wait each: row k (k = 0 ... h) of each wedge gets n = trunc(k * s / h)
// pixels, so the wedge's edge runs from the pivot's corner to (s, h). The last step gives every
// row half the width from each side. A row's pixels are plain copies in place, so only those not
// drawn yet are drawn: draw_rows(batch, k, from, n) adds pixels from ... n - 1 of both wedges'
// rows k to the step's batch.
template <typename DrawRows>
void Sweep(CEffectContext& context, DrawRows draw_rows) {
  const int w = context.Width(), h = context.Height();
  if (w <= 0 || h <= 0) return;
  std::vector<int> drawn(static_cast<std::size_t>(h) + 1, 0);
  CRevealBatch batch(context);
  for (int s = 0; s <= w; ++s) {
    // trunc(k * s / h) stepped along k without a division: `rest` is k * s mod h.
    int quotient = 0;
    long long rest = 0;
    for (int k = 0; k <= h; ++k, rest += s) {
      while (rest >= h) {
        rest -= h;
        ++quotient;
      }
      const int n = s == w ? w / 2 : quotient;
      int& row_drawn = drawn[static_cast<std::size_t>(k)];
      if (n <= row_drawn) continue;
      draw_rows(batch, k, row_drawn, n);
      row_drawn = n;
    }
    batch.Flush();
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
  Sweep(context, [&](CRevealBatch& batch, int k, int from, int n) {
    batch.Add(from, k, n - from, 1);
    batch.Add(w - n, h - k, n - from, 1);
  });
}

void SweepFromBottomLeftAndTopRight(CEffectContext& context) {
  const int w = context.Width(), h = context.Height();
  Sweep(context, [&](CRevealBatch& batch, int k, int from, int n) {
    batch.Add(from, h - k, n - from, 1);
    batch.Add(w - n, k, n - from, 1);
  });
}

}  // namespace saver::effects
