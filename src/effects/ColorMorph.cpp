#include "effects/ColorMorph.h"

#include <algorithm>
#include <memory>

namespace saver::effects {
namespace {

constexpr const char* kConversionFailed = "ImageEffects: DC conversion failed!";

// A failed read is reported and the morph goes on from black.
void ReadOrReport(CEffectContext& context, bool (CEffectContext::*read)(CPixelBuffer&), CPixelBuffer& out) {
  const int w = context.Width(), h = context.Height();
  if ((context.*read)(out) && out.Width() == w && out.Height() == h) return;
  context.ShowError(kConversionFailed);
  out = CPixelBuffer(w, h);
}

// The two ends of the morph and the picture of the pass shown last.
struct MorphPictures {
  CPixelBuffer from, target, shown;
};

}  // namespace

// Branch-free and in bytes (minimum, maximum, add and subtract) so that the compiler works on
// many bytes at once: a byte moves up by min(passes, what it lacks) or down by min(passes, what
// it exceeds), one of the two being 0.
void MorphAfter(const std::uint8_t* __restrict from, const std::uint8_t* __restrict target,
                std::uint8_t* __restrict out, std::size_t count, int passes) {
  const auto step = static_cast<std::uint8_t>(std::clamp(passes, 0, 255));
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t f = from[i], t = target[i];
    const auto up = static_cast<std::uint8_t>(std::max(f, t) - f);
    const auto down = static_cast<std::uint8_t>(f - std::min(f, t));
    out[i] = static_cast<std::uint8_t>(f + std::min(up, step) - std::min(down, step));
  }
}

int PassesToArrive(const std::uint8_t* __restrict from, const std::uint8_t* __restrict target, std::size_t count) {
  std::uint8_t largest = 0;
  for (std::size_t i = 0; i < count; ++i) {
    largest = std::max(largest, static_cast<std::uint8_t>(std::max(from[i], target[i]) - std::min(from[i], target[i])));
  }
  return largest;
}

// One pass per wait, at least one and at most 255: after d passes every channel that differed
// by at most d has arrived. The stop event is polled once per pass and ends the morph at once;
// there is no final blit, the last pass shows the new picture. Each pass is handed to the
// surface as a picture made on request, so that a surface whose screen nobody looks at makes
// only the passes somebody sees.
void ColorMorph(CEffectContext& context) {
  const auto pictures = std::make_shared<MorphPictures>();
  ReadOrReport(context, &CEffectContext::ReadScreen, pictures->from);
  ReadOrReport(context, &CEffectContext::ReadNew, pictures->target);
  const Size size{context.Width(), context.Height()};
  pictures->shown = CPixelBuffer(size.width, size.height);
  const int last_pass =
      std::max(1, PassesToArrive(pictures->from.Data(), pictures->target.Data(), pictures->from.ByteCount()));
  const auto draw_after = [&](int passes) {
    context.DrawMadePixels(size, [pictures, passes]() -> const CPixelBuffer& {
      MorphPictures& p = *pictures;
      MorphAfter(p.from.Data(), p.target.Data(), p.shown.Data(), p.shown.ByteCount(), passes);
      return p.shown;
    });
  };
  draw_after(0);
  for (int passes = 1;; ++passes) {
    draw_after(passes);
    if (context.StopRequested()) return;
    context.Wait();
    if (passes == last_pass) return;
  }
}

}  // namespace saver::effects
