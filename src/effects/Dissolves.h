#pragma once
// Random dissolves: the new picture appears in pieces (4 x 4 or 8 x 8 blocks, rows, columns)
// drawn in random order, each piece exactly once.
#include "effects/EffectContext.h"

namespace saver::effects {

void DissolveSmallBlocks(CEffectContext& context);  // 5
void DissolveLargeBlocks(CEffectContext& context);  // 6
void DissolveRows(CEffectContext& context);         // 13
void DissolveColumns(CEffectContext& context);      // 14

}  // namespace saver::effects
