#pragma once
// Line patterns: staircases of 8-row bands, 8-pixel strips wiped back and forth, and spirals of an
// 8-pixel band, all uncovering the new picture in place.
#include "effects/EffectContext.h"

namespace saver::effects {

void StaircaseFromRightTopFirst(CEffectContext& context);     // 57
void StaircaseFromRightBottomFirst(CEffectContext& context);  // 58
void StaircaseFromLeftTopFirst(CEffectContext& context);      // 59
void StaircaseFromLeftBottomFirst(CEffectContext& context);   // 60
void ColumnStripsLeftToRight(CEffectContext& context);        // 67
void RowStripsTopToBottom(CEffectContext& context);           // 68
void ColumnStripsRightToLeft(CEffectContext& context);        // 69
void RowStripsBottomToTop(CEffectContext& context);           // 70
void SpiralClockwise(CEffectContext& context);                // 75
void SpiralCounterClockwise(CEffectContext& context);         // 76

}  // namespace saver::effects
