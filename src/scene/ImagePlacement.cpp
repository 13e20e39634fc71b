#include "scene/ImagePlacement.h"

#include <algorithm>

#include "base/RandomRange.h"
#include "base/RandomSeed.h"
#include "effects/Transition.h"
#include "scene/ImageItem.h"

namespace saver {
namespace {

constexpr int kEffectShownWhole = 65;

}  // namespace

Size AspectFit(Size natural, Size screen) {
  if (natural.width <= 0 || natural.height <= 0 || screen.width <= 0 || screen.height <= 0) return {};
  const double ratio = std::max(static_cast<double>(natural.width) / screen.width,
                                static_cast<double>(natural.height) / screen.height);
  // Each side divided by the larger ratio is at most the screen's side, so the casts are safe.
  return {static_cast<int>(natural.width / ratio), static_cast<int>(natural.height / ratio)};
}

Size TargetSize(const CImageItem& image, Size screen) {
  if (image.IsText()) return {};
  if (image.fit_to_screen != 0) {
    if (image.keep_aspect != 0) return AspectFit({image.natural_width, image.natural_height}, screen);
    return screen;
  }
  if (image.explicit_width != 0 || image.explicit_height != 0) {
    return {image.explicit_width, image.explicit_height};
  }
  return {};
}

int DrawRandomEffect(const RandomSeedSources& sources) {
  const std::uint32_t seed = (sources.tick_count() % 65536) * 65536 + sources.time_milliseconds();
  CRandomRange range(seed);
  range.SetRange(kEffectRandom, kLastTransition + 1);
  // The range's ends, and the end + 1 that its last draw gives, are redrawn.
  int effect = range.Next();
  while (effect <= kEffectRandom || effect >= kLastTransition + 1) effect = range.Next();
  return effect;
}

void ApplyEffectChoice(CPathProperty& placement, const RandomSeedSources& sources) {
  if (placement.effect_number == kEffectRandom) placement.effect_number = DrawRandomEffect(sources);
}

bool TransitionClipsToScreen(int effect) {
  return effect > kEffectStretched && effect != kFirstTransition && effect != kEffectShownWhole;
}

Rect PlacementRect(Size size, int effect, Point position, Size screen, Point& offsets) {
  offsets = {};
  const Rect whole = Rect::FromSize(0, 0, size.width, size.height);
  if (!TransitionClipsToScreen(effect)) return whole;
  return CTransition::ClipToScreen(whole, position, screen, offsets);
}

}  // namespace saver
