#pragma once
// Colour morph: every channel of every pixel steps by one towards the new picture per pass,
// until the screen shows the new picture.
#include <cstddef>
#include <cstdint>

#include "effects/EffectContext.h"

namespace saver::effects {

void ColorMorph(CEffectContext& context);  // 66

// One pass over `count` bytes: each work byte moves one step towards its target byte. True when
// every byte has reached its target.
bool MorphPass(std::uint8_t* work, const std::uint8_t* target, std::size_t count);

}  // namespace saver::effects
