// The fade in (effect 4) on GDI at speed 900 (9 ms a level) over a 1280 x 720 picture: the share
// of its 256 levels that the machine manages to draw in time (goal: at least 90 %), and what one
// level costs to compute and to draw.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "DisplayBitmap.h"
#include "effects/EffectContext.h"
#include "effects/Fades.h"

namespace {

using namespace saver;

constexpr int kW = 1280, kH = 720;
constexpr int kSpeed = 900;

CPixelBuffer Gradient() {
  CPixelBuffer picture(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) picture.SetPixel(x, y, (x & 0xFF) | ((y & 0xFF) << 8) | (((x + y) & 0xFF) << 16));
  }
  return picture;
}

double NowMs() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Processor time of this thread: on a shared, busy machine the fade's wall-clock share says as
// much about the other programs as about the fade.
double ThreadMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

}  // namespace

int main() {
  const CPixelBuffer picture = Gradient();
  testing::DisplayBitmap screen(CPixelBuffer(kW, kH)), frame(picture), source(picture);
  if (!screen.Valid() || !frame.Valid() || !source.Valid()) {
    std::printf("fade on GDI: could not create the bitmaps\n");
    return 1;
  }
  testing::IdlePacer pacer;
  win::CGdiSurface surface(screen.Dc(), {kW, kH}, frame.Dc(), source.Dc());
  CEffectContext context(surface, pacer, {0, 0}, {kW, kH}, 1100 - kSpeed);

  // One level by hand, best of a few: the pixel work, then the drawing.
  CPixelBuffer level(kW, kH);
  double compute_ms = 1e300, draw_ms = 1e300;
  for (int i = 0; i < 8; ++i) {
    const double compute_start = NowMs();
    effects::ApplyBrightness(picture, 128, level);
    const double draw_start = NowMs();
    context.DrawPixels(level, 0, 0);
    GdiFlush();
    compute_ms = std::min(compute_ms, draw_start - compute_start);
    draw_ms = std::min(draw_ms, NowMs() - draw_start);
  }

  const double fade_start = NowMs(), fade_cpu_start = ThreadMs();
  const effects::FadeLevels shown = effects::RunFade(context, effects::FadeDirection::In);
  const double fade_ms = NowMs() - fade_start, fade_cpu_ms = ThreadMs() - fade_cpu_start;
  std::printf("fade in (effect 4) on GDI, %d x %d at speed %d: %d of 256 levels drawn (%.1f %%, goal >= 90 %%), "
              "%d frames in %.0f ms (planned 256 x 9 ms), %.1f ms of processor time a frame; "
              "one level: %.2f ms pixel work, %.2f ms drawing\n",
              kW, kH, kSpeed, shown.levels, 100.0 * shown.levels / 256.0, shown.frames, fade_ms,
              shown.frames > 0 ? fade_cpu_ms / shown.frames : 0.0, compute_ms, draw_ms);
}
