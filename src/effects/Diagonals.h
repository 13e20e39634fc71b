#pragma once
// Diagonal patterns: triangles growing from two opposite corners and bands widening around a
// diagonal, uncovering the new picture in place.
#include "effects/EffectContext.h"

namespace saver::effects {

void TrianglesFromBottomLeftAndTopRight(EffectContext& context);  // 61
void BandAroundFallingDiagonal(EffectContext& context);           // 62
void TrianglesFromBottomRightAndTopLeft(EffectContext& context);  // 63
void BandAroundRisingDiagonal(EffectContext& context);            // 64

}  // namespace saver::effects
