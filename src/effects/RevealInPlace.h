#pragma once
#include "effects/EffectContext.h"

namespace saver {

// The wipes, line patterns, cells, diagonals and sweeps uncover the new picture where it lies:
// every block comes from the same position of NEW. Blocks may reach past the target; the
// context cuts them.
inline void RevealBlock(CEffectContext& context, int x, int y, int cx, int cy) {
  context.Blit(x, y, cx, cy, Layer::New, x, y);
}
inline void RevealRow(CEffectContext& context, int y) { RevealBlock(context, 0, y, context.Width(), 1); }
inline void RevealColumn(CEffectContext& context, int x) { RevealBlock(context, x, 0, 1, context.Height()); }

}  // namespace saver
