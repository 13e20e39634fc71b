#pragma once
// Line patterns: staircases of 8-row bands, 8-pixel strips wiped back and forth, and spirals of an
// 8-pixel band, all uncovering the new picture in place.
#include "effects/EffectContext.h"

namespace saver::effects {

void StaircaseFromRightTopFirst(EffectContext& context);     // 57
void StaircaseFromRightBottomFirst(EffectContext& context);  // 58
void StaircaseFromLeftTopFirst(EffectContext& context);      // 59
void StaircaseFromLeftBottomFirst(EffectContext& context);   // 60
void ColumnStripsLeftToRight(EffectContext& context);        // 67
void RowStripsTopToBottom(EffectContext& context);           // 68
void ColumnStripsRightToLeft(EffectContext& context);        // 69
void RowStripsBottomToTop(EffectContext& context);           // 70
void SpiralClockwise(EffectContext& context);                // 75
void SpiralCounterClockwise(EffectContext& context);         // 76

}  // namespace saver::effects
