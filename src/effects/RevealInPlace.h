#pragma once
#include <vector>

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

// Blocks uncovered in place during one step, kept until Flush copies them all in one call to
// the surface (in the order added): the effect flushes before each wait and at its end.
class CRevealBatch {
 public:
  explicit CRevealBatch(CEffectContext& context) : context_(context) {}

  void Add(int x, int y, int cx, int cy) { blocks_.push_back(Rect::FromSize(x, y, cx, cy)); }
  void Flush() {
    context_.BlitInPlace(blocks_, Layer::New);
    blocks_.clear();
  }

 private:
  CEffectContext& context_;
  std::vector<Rect> blocks_;
};

}  // namespace saver
