#pragma once
// Rolls: the new picture is uncovered from an edge while a band at the moving front shows it
// mirrored, as if it were being unrolled onto the screen.
#include "effects/EffectContext.h"

namespace saver::effects {

void RollFromLeft(CEffectContext& context);          // 82
void RollFromRight(CEffectContext& context);         // 83
void RollFromTop(CEffectContext& context);           // 84
void RollFromBottom(CEffectContext& context);        // 85
void RollFromLeftAndRight(CEffectContext& context);  // 86
void RollFromTopAndBottom(CEffectContext& context);  // 87

}  // namespace saver::effects
