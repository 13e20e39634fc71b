#pragma once
// Rolls: the new picture is uncovered from an edge while a band at the moving front shows it
// mirrored, as if it were being unrolled onto the screen.
#include "effects/EffectContext.h"

namespace saver::effects {

void RollFromLeft(EffectContext& context);          // 82
void RollFromRight(EffectContext& context);         // 83
void RollFromTop(EffectContext& context);           // 84
void RollFromBottom(EffectContext& context);        // 85
void RollFromLeftAndRight(EffectContext& context);  // 86
void RollFromTopAndBottom(EffectContext& context);  // 87

}  // namespace saver::effects
