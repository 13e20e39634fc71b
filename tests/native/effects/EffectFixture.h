#pragma once
// A memory surface set up for one transition: a screen a few pixels larger than the target on
// every side, showing the "old" picture everywhere, and a "new" picture. Each pixel names its
// picture and position (red = x, green = y, blue = tag), so a frame shows where every pixel
// came from.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "effects/MemorySurface.h"
#include "effects/RasterOp.h"
#include "effects/Transition.h"

namespace saver::testing {

inline constexpr std::uint8_t kOldTag = 0x40;
inline constexpr std::uint8_t kNewTag = 0x80;

inline CPixelBuffer TaggedPicture(int width, int height, std::uint8_t tag) {
  CPixelBuffer buffer(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      buffer.SetPixel(x, y, (x & 0xFF) | ((y & 0xFF) << 8) | (std::uint32_t{tag} << 16));
    }
  }
  return buffer;
}

inline std::uint8_t TagAt(const CPixelBuffer& buffer, int x, int y) { return buffer.PixelAt(x, y) >> 16; }

// The target area of a screen-sized buffer.
inline CPixelBuffer Crop(const CPixelBuffer& from, const Rect& area) {
  CPixelBuffer out(area.Width(), area.Height());
  for (int y = 0; y < area.Height(); ++y) {
    for (int x = 0; x < area.Width(); ++x) out.SetPixel(x, y, from.PixelAt(area.left + x, area.top + y));
  }
  return out;
}

struct EffectRun {
  static constexpr int kMarginX = 3, kMarginY = 2;

  EffectRun(int width, int height)
      : target(Rect::FromSize(kMarginX, kMarginY, width, height)),
        surface(TaggedPicture(width + 2 * kMarginX + 1, height + 2 * kMarginY + 1, kOldTag),
                CPixelBuffer(width, height), TaggedPicture(width, height, kNewTag)),
        screen_before(surface.Pixels(Layer::Screen)) {
    surface.RecordFrames(target);
  }

  // Runs an effect through CTransition with pace a.
  void Run(int effect, int pace = 700) {
    CTransition transition(effect, {target, std::nullopt}, surface, surface);
    Point point{target.left, target.top};
    transition.ImageEffects(point, pace, 0, 0);
  }

  CPixelBuffer TargetNow() const { return Crop(surface.Pixels(Layer::Screen), target); }
  CPixelBuffer NewPicture() const { return TaggedPicture(target.Width(), target.Height(), kNewTag); }
  CPixelBuffer OldPicture() const { return Crop(screen_before, target); }

  // Pixels outside the target that differ from the screen before the run.
  int ChangedOutsideTarget() const {
    const CPixelBuffer& now = surface.Pixels(Layer::Screen);
    int changed = 0;
    for (int y = 0; y < now.Height(); ++y) {
      for (int x = 0; x < now.Width(); ++x) {
        if (!target.Contains(x, y) && now.PixelAt(x, y) != screen_before.PixelAt(x, y)) ++changed;
      }
    }
    return changed;
  }

  Rect target;
  CMemorySurface surface;
  CPixelBuffer screen_before;
};

// The memory surface's pacing, with the target looked at on chosen calls of Sleep and PacedWait
// (counted together from 0) and the show asked to stop on one of them; other calls look at
// nothing, so the surface may hold back what it draws in between.
class LookingPacer final : public CPacer {
 public:
  LookingPacer(EffectRun& run, std::vector<int> looks, int stop_at)
      : run_(run), looks_(std::move(looks)), stop_at_(stop_at) {}

  bool StopRequested() const override { return run_.surface.StopRequested(); }
  void Sleep(std::uint32_t milliseconds) override {
    Look();
    run_.surface.Sleep(milliseconds);
  }
  void PacedWait(std::int32_t a, double k) override {
    Look();
    run_.surface.PacedWait(a, k);
  }
  std::uint32_t TickCount() const override { return run_.surface.TickCount(); }

  std::vector<CPixelBuffer> seen;  // the target at each look

 private:
  void Look() {
    if (std::find(looks_.begin(), looks_.end(), calls_) != looks_.end()) seen.push_back(run_.TargetNow());
    if (calls_ == stop_at_) run_.surface.RequestStop();
    ++calls_;
  }

  EffectRun& run_;
  std::vector<int> looks_;
  int stop_at_;
  int calls_ = 0;
};

}  // namespace saver::testing
