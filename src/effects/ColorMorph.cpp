#include "effects/ColorMorph.h"

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

}  // namespace

// Branch-free so that the compiler compares and steps many bytes at once.
bool MorphPass(std::uint8_t* __restrict work, const std::uint8_t* __restrict target, std::size_t count) {
  std::uint8_t differs = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t from = work[i], to = target[i];
    const std::uint8_t moved = static_cast<std::uint8_t>(from + (from < to) - (from > to));
    work[i] = moved;
    differs |= static_cast<std::uint8_t>(moved ^ to);
  }
  return differs == 0;
}

// At most 255 passes: after d passes every channel that differed by at most d has arrived. The
// stop event is polled once per pass and ends the morph at once; there is no final blit, the
// last pass shows the new picture.
void ColorMorph(CEffectContext& context) {
  CPixelBuffer work, target;
  ReadOrReport(context, &CEffectContext::ReadScreen, work);
  ReadOrReport(context, &CEffectContext::ReadNew, target);
  context.DrawPixels(work, 0, 0);
  for (;;) {
    const bool done = MorphPass(work.Data(), target.Data(), work.ByteCount());
    context.DrawPixels(work, 0, 0);
    if (context.StopRequested()) return;
    context.Wait();
    if (done) return;
  }
}

}  // namespace saver::effects
