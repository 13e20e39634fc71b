#pragma once
// Cell patterns: the new picture is uncovered in place inside a grid of cells, 16 x 16 pixels for
// the checkerboards and interleaves, 40 x 40 for the growing squares, closing rings and diagonal
// wipes.
#include "effects/EffectContext.h"

namespace saver::effects {

void CheckerboardColumns(EffectContext& context);  // 17
void CheckerboardRows(EffectContext& context);     // 18
void InterleaveColumns(EffectContext& context);    // 19
void InterleaveRows(EffectContext& context);       // 20
void GrowingSquares(EffectContext& context);       // 79
void ClosingRings(EffectContext& context);         // 80
void CellDiagonalWipe(EffectContext& context);     // 81

}  // namespace saver::effects
