#pragma once
// Slides, pushes and uncovers: the transitions in which pictures move. The new picture slides in
// over the old one (SlideEffects.cpp), the old one slides away from the new one lying in place
// (UncoverEffects.cpp), or both move together (PushEffects.cpp).
#include "effects/EffectContext.h"

namespace saver::effects {

void QuartersSlideIn(CEffectContext& context);                // 9
void QuartersSlideOut(CEffectContext& context);               // 10
void RowBandsSlideInFromSides(CEffectContext& context);       // 15
void ColumnBandsSlideInFromEdges(CEffectContext& context);    // 16
void SlideInFromTop(CEffectContext& context);                 // 21
void SlideInFromBottom(CEffectContext& context);              // 22
void SlideInFromRight(CEffectContext& context);               // 23
void SlideInFromLeft(CEffectContext& context);                // 24
void SlideInFromTopRight(CEffectContext& context);            // 25
void SlideInFromBottomRight(CEffectContext& context);         // 26
void SlideInFromTopLeft(CEffectContext& context);             // 27
void SlideInFromBottomLeft(CEffectContext& context);          // 28
void UncoverDown(CEffectContext& context);                    // 29
void UncoverUp(CEffectContext& context);                      // 30
void UncoverLeft(CEffectContext& context);                    // 31
void UncoverRight(CEffectContext& context);                   // 32
void UncoverToBottomLeft(CEffectContext& context);            // 33
void UncoverToTopLeft(CEffectContext& context);               // 34
void UncoverToBottomRight(CEffectContext& context);           // 35
void UncoverToTopRight(CEffectContext& context);              // 36
void PushDown(CEffectContext& context);                       // 41
void PushUp(CEffectContext& context);                         // 42
void PushLeft(CEffectContext& context);                       // 43
void PushRight(CEffectContext& context);                      // 44
void PushFromTopRight(CEffectContext& context);               // 45
void PushFromBottomRight(CEffectContext& context);            // 46
void PushFromTopLeft(CEffectContext& context);                // 47
void PushFromBottomLeft(CEffectContext& context);             // 48
void HalvesSlideInFromTopAndBottom(CEffectContext& context);  // 53
void SplitOpenUpAndDown(CEffectContext& context);             // 54
void HalvesSlideInFromLeftAndRight(CEffectContext& context);  // 55
void SplitOpenLeftAndRight(CEffectContext& context);          // 56
void ColumnStripsPushLeftToRight(CEffectContext& context);    // 71
void RowStripsPushTopToBottom(CEffectContext& context);       // 72
void ColumnStripsPushRightToLeft(CEffectContext& context);    // 73
void RowStripsPushBottomToTop(CEffectContext& context);       // 74

}  // namespace saver::effects
