#pragma once
// Sweeps: two wedges pivot on opposite corners and close like scissors, uncovering the new
// picture in place.
#include "effects/EffectContext.h"

namespace saver::effects {

void SweepFromTopLeftAndBottomRight(CEffectContext& context);  // 77
void SweepFromBottomLeftAndTopRight(CEffectContext& context);  // 78

}  // namespace saver::effects
