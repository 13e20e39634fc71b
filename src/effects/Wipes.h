#pragma once
// Wipes: the new picture is uncovered in place, one row or column per step, from the edges, from
// the middle, in interlaced passes or as growing and shrinking box outlines.
#include "effects/EffectContext.h"

namespace saver::effects {

void BoxIn(CEffectContext& context);                  // 7
void BoxOut(CEffectContext& context);                 // 8
void InterlaceRows(CEffectContext& context);          // 11
void InterlaceColumns(CEffectContext& context);       // 12
void WipeDown(CEffectContext& context);               // 37
void WipeUp(CEffectContext& context);                 // 38
void WipeLeft(CEffectContext& context);               // 39
void WipeRight(CEffectContext& context);              // 40
void WipeRowsToMiddle(CEffectContext& context);       // 49
void WipeRowsFromMiddle(CEffectContext& context);     // 50
void WipeColumnsToMiddle(CEffectContext& context);    // 51
void WipeColumnsFromMiddle(CEffectContext& context);  // 52

}  // namespace saver::effects
