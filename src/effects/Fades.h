#pragma once
// Fades: the picture's brightness runs through 256 levels, up from black (4) or down to black
// (65), timed by the tick count rather than by paced waits.
#include <cstdint>

#include "effects/EffectContext.h"

namespace saver::effects {

void FadeInFromBlack(CEffectContext& context);  // 4
void FadeToBlack(CEffectContext& context);      // 65

// Row L (0 ... 255) of the brightness table: byte b shown as floor(b * L / 256). Level 255
// shows 255 as 254, so no level reproduces the picture exactly. The product fits 16 bits, which
// lets the compiler work on many bytes at once.
constexpr std::uint8_t Brightness(int level, std::uint8_t value) {
  return static_cast<std::uint8_t>(static_cast<std::uint16_t>(value * level) >> 8);
}

enum class FadeDirection { In, Out };

// What one fade drew: frames (a late machine may draw a level twice) and distinct levels.
struct FadeLevels {
  int frames = 0;
  int levels = 0;
};

// Runs a fade and tells which levels it managed to show in its time.
FadeLevels RunFade(CEffectContext& context, FadeDirection direction);

// The pixel work of one level: every byte of `source` at brightness `level` into `out` (same size).
void ApplyBrightness(const CPixelBuffer& source, int level, CPixelBuffer& out);

}  // namespace saver::effects
