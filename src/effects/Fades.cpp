#include "effects/Fades.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <memory>
#include <utility>

#include "effects/Progress.h"

namespace saver::effects {
namespace {

constexpr int kLevels = 256;

// Milliseconds per level: about speed / 100, one more when fading out.
long long StepTime(CEffectContext& context, FadeDirection direction) {
  return (direction == FadeDirection::In ? 11 : 12) - context.Pace() / 100;
}

// Levels 0 ... 255: after drawing level L the fade sleeps until start + L * T and goes on with
// L + 1, so that each level is drawn at the due time of the one before. A machine that is late
// jumps to the level the elapsed time calls for, but at least to the next one: taking that
// level's floor again would put every later frame behind its due time too, so that one late
// frame made the fade draw the same levels over and over, never sleeping, to its end.
//
// Each level is handed to the surface as a picture made on request, so that a surface whose
// screen nobody looks at makes only the levels somebody sees.
FadeLevels ShowLevels(CEffectContext& context, FadeDirection direction, long long step_time, CPixelBuffer source) {
  struct Pictures {
    CPixelBuffer source, level;
  };
  const Size size{source.Width(), source.Height()};
  const auto pictures = std::make_shared<Pictures>(Pictures{std::move(source), CPixelBuffer()});
  FadeLevels shown;
  const std::uint32_t start = context.TickCount();
  int last_level = -1;
  for (int level = 0; level < kLevels;) {
    const int brightness = direction == FadeDirection::In ? level : kLevels - 1 - level;
    context.DrawMadePixels(size, [pictures, brightness, size]() -> const CPixelBuffer& {
      // Made on the first level seen: a memory surface nobody looks at never needs it.
      if (pictures->level.IsEmpty()) pictures->level = CPixelBuffer(size.width, size.height);
      ApplyBrightness(pictures->source, brightness, pictures->level);
      return pictures->level;
    });
    ++shown.frames;
    if (level != last_level) ++shown.levels;
    last_level = level;
    // The show is ending: its sleeps would return at once, and drawing the levels left would only
    // hold the end back by up to 256 frames.
    if (context.StopRequested()) break;
    // Unsigned difference: correct across the tick count's wrap-around.
    const long long elapsed = static_cast<std::uint32_t>(context.TickCount() - start);
    const long long due = level * step_time;
    if (elapsed > due) {
      level = static_cast<int>(std::min<long long>(std::max<long long>(elapsed / step_time, level + 1), kLevels));
    } else {
      context.Sleep(static_cast<int>(std::min<long long>(due - elapsed, INT_MAX)));
      ++level;
    }
  }
  return shown;
}

}  // namespace

// The table's values computed rather than looked up in 64 KiB: the multiply vectorises (about
// 0.5 ms per 1920 x 1080 level here, against 4.5 ms for the lookups).
void ApplyBrightness(const CPixelBuffer& source, int level, CPixelBuffer& out) {
  const std::uint8_t* __restrict from = source.Data();
  std::uint8_t* __restrict to = out.Data();
  const std::size_t count = std::min(source.ByteCount(), out.ByteCount());
  for (std::size_t i = 0; i < count; ++i) to[i] = Brightness(level, from[i]);
}

// A picture that cannot be read ends the fade before anything is drawn. A step time of 0 or less
// skips the levels: the fade in shows the new picture at once, the fade out goes straight to
// black.
FadeLevels RunFade(CEffectContext& context, FadeDirection direction) {
  CPixelBuffer source;
  if (!context.ReadPicture(source) || source.IsEmpty()) return {};
  const long long step_time = StepTime(context, direction);
  FadeLevels shown;
  if (step_time > 0) shown = ShowLevels(context, direction, step_time, std::move(source));
  if (direction == FadeDirection::In) {
    DrawWholeNew(context);
  } else {
    context.FillTarget(0x000000);
  }
  return shown;
}

void FadeInFromBlack(CEffectContext& context) { RunFade(context, FadeDirection::In); }
void FadeToBlack(CEffectContext& context) { RunFade(context, FadeDirection::Out); }

}  // namespace saver::effects
