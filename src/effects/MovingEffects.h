#pragma once
// Slides, pushes and uncovers: the transitions in which pictures move. The new picture slides in
// over the old one (SlideEffects.cpp), the old one slides away from the new one lying in place
// (UncoverEffects.cpp), or both move together (PushEffects.cpp).
#include "effects/EffectContext.h"

namespace saver::effects {

void QuartersSlideIn(EffectContext& context);                // 9
void QuartersSlideOut(EffectContext& context);               // 10
void RowBandsSlideInFromSides(EffectContext& context);       // 15
void ColumnBandsSlideInFromEdges(EffectContext& context);    // 16
void SlideInFromTop(EffectContext& context);                 // 21
void SlideInFromBottom(EffectContext& context);              // 22
void SlideInFromRight(EffectContext& context);               // 23
void SlideInFromLeft(EffectContext& context);                // 24
void SlideInFromTopRight(EffectContext& context);            // 25
void SlideInFromBottomRight(EffectContext& context);         // 26
void SlideInFromTopLeft(EffectContext& context);             // 27
void SlideInFromBottomLeft(EffectContext& context);          // 28
void UncoverDown(EffectContext& context);                    // 29
void UncoverUp(EffectContext& context);                      // 30
void UncoverLeft(EffectContext& context);                    // 31
void UncoverRight(EffectContext& context);                   // 32
void UncoverToBottomLeft(EffectContext& context);            // 33
void UncoverToTopLeft(EffectContext& context);               // 34
void UncoverToBottomRight(EffectContext& context);           // 35
void UncoverToTopRight(EffectContext& context);              // 36
void PushDown(EffectContext& context);                       // 41
void PushUp(EffectContext& context);                         // 42
void PushLeft(EffectContext& context);                       // 43
void PushRight(EffectContext& context);                      // 44
void PushFromTopRight(EffectContext& context);               // 45
void PushFromBottomRight(EffectContext& context);            // 46
void PushFromTopLeft(EffectContext& context);                // 47
void PushFromBottomLeft(EffectContext& context);             // 48
void HalvesSlideInFromTopAndBottom(EffectContext& context);  // 53
void SplitOpenUpAndDown(EffectContext& context);             // 54
void HalvesSlideInFromLeftAndRight(EffectContext& context);  // 55
void SplitOpenLeftAndRight(EffectContext& context);          // 56
void ColumnStripsPushLeftToRight(EffectContext& context);    // 71
void RowStripsPushTopToBottom(EffectContext& context);       // 72
void ColumnStripsPushRightToLeft(EffectContext& context);    // 73
void RowStripsPushBottomToTop(EffectContext& context);       // 74

}  // namespace saver::effects
