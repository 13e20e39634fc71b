#pragma once
// Diagonal patterns: triangles growing from two opposite corners and bands widening around a
// diagonal, uncovering the new picture in place.
#include "effects/EffectContext.h"

namespace saver::effects {

void TrianglesFromBottomLeftAndTopRight(CEffectContext& context);  // 61
void BandAroundFallingDiagonal(CEffectContext& context);           // 62
void TrianglesFromBottomRightAndTopLeft(CEffectContext& context);  // 63
void BandAroundRisingDiagonal(CEffectContext& context);            // 64

}  // namespace saver::effects
