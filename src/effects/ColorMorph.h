#pragma once
// Colour morph: every channel of every pixel steps by one towards the new picture per pass,
// until the screen shows the new picture.
#include <cstddef>
#include <cstdint>

#include "effects/EffectContext.h"

namespace saver::effects {

void ColorMorph(CEffectContext& context);  // 66

// The picture after `passes` passes, into `out`: each of the `count` bytes of `from` moved
// min(passes, |target - from|) towards its target byte, one step a pass.
void MorphAfter(const std::uint8_t* from, const std::uint8_t* target, std::uint8_t* out, std::size_t count,
                int passes);
// The passes after which every byte has reached its target: the largest difference of a byte.
int PassesToArrive(const std::uint8_t* from, const std::uint8_t* target, std::size_t count);

}  // namespace saver::effects
