#pragma once
// Wipes: the new picture is uncovered in place, one row or column per step, from the edges, from
// the middle, in interlaced passes or as growing and shrinking box outlines.
#include "effects/EffectContext.h"

namespace saver::effects {

void BoxIn(EffectContext& context);                       // 7
void BoxOut(EffectContext& context);                      // 8
void InterlaceRows(EffectContext& context);               // 11
void InterlaceColumns(EffectContext& context);            // 12
void WipeDown(EffectContext& context);                    // 37
void WipeUp(EffectContext& context);                      // 38
void WipeLeft(EffectContext& context);                    // 39
void WipeRight(EffectContext& context);                   // 40
void WipeRowsToMiddle(EffectContext& context);            // 49
void WipeRowsFromMiddle(EffectContext& context);          // 50
void WipeColumnsToMiddle(EffectContext& context);         // 51
void WipeColumnsFromMiddle(EffectContext& context);       // 52

}  // namespace saver::effects
