#pragma once
// Cell patterns: the new picture is uncovered in place inside a grid of cells, 16 x 16 pixels for
// the checkerboards and interleaves, 40 x 40 for the growing squares, closing rings and diagonal
// wipes.
#include "effects/EffectContext.h"

namespace saver::effects {

void CheckerboardColumns(CEffectContext& context);  // 17
void CheckerboardRows(CEffectContext& context);     // 18
void InterleaveColumns(CEffectContext& context);    // 19
void InterleaveRows(CEffectContext& context);       // 20
void GrowingSquares(CEffectContext& context);       // 79
void ClosingRings(CEffectContext& context);         // 80
void CellDiagonalWipe(CEffectContext& context);     // 81

}  // namespace saver::effects
