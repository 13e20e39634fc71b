#pragma once
// Sweeps: two wedges pivot on opposite corners and close like scissors, uncovering the new
// picture in place.
#include "effects/EffectContext.h"

namespace saver::effects {

void SweepFromTopLeftAndBottomRight(EffectContext& context);  // 77
void SweepFromBottomLeftAndTopRight(EffectContext& context);  // 78

}  // namespace saver::effects
