// The fades and the colour morph on GDI: the same pictures through the GDI surface end as they
// do on the memory surface, the morph frame by frame; a fade without a picture draws nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DisplayBitmap.h"
#include "EffectFixture.h"
#include "effects/win/GdiSurface.h"

namespace saver::testing {
namespace {

// The scene thread's clock and sleep, and a hook at every paced wait.
class HookedPacer : public IdlePacer {
 public:
  void PacedWait(std::int32_t, double) override {
    if (on_wait) on_wait();
  }
  std::function<void()> on_wait;
};

// EffectRun's pictures and target on display-compatible bitmaps.
struct GdiPixelRun {
  GdiPixelRun(const EffectRun& memory, bool with_picture)
      : screen(memory.screen_before),
        frame(CPixelBuffer(memory.target.Width(), memory.target.Height())),
        picture(memory.NewPicture()),
        surface(screen.Dc(), screen.GetSize(), frame.Dc(), with_picture ? picture.Dc() : nullptr),
        target(memory.target) {
    pacer.on_wait = [this] {
      CPixelBuffer shown;
      surface.Read(Layer::Screen, target, shown);
      frames.push_back(shown);
    };
  }

  void Run(int effect, int pace) {
    CTransition transition(effect, {target, std::nullopt}, surface, pacer);
    Point point{target.left, target.top};
    transition.ImageEffects(point, pace, 0, 0);
  }

  DisplayBitmap screen, frame, picture;
  HookedPacer pacer;
  win::CGdiSurface surface;
  Rect target;
  std::vector<CPixelBuffer> frames;
};

struct Case {
  int effect;
  int pace;  // 1100 and 1200 leave the fades no time per level
  bool with_picture;
};

const Case kCases[] = {{4, 700, true},   {65, 700, true},   {66, 700, true},  {4, 1100, true},
                       {65, 1200, true}, {4, 700, false},   {65, 700, false}, {66, 900, false}};

class PixelEffectOnGdi : public ::testing::TestWithParam<Case> {};

TEST_P(PixelEffectOnGdi, EndsAsOnTheMemorySurface) {
  const Case& c = GetParam();
  EffectRun memory(23, 17);
  if (!c.with_picture) memory.surface.MutablePixels(Layer::Picture) = CPixelBuffer();
  GdiPixelRun gdi(memory, c.with_picture);
  ASSERT_TRUE(gdi.screen.Valid() && gdi.frame.Valid() && gdi.picture.Valid());
  const long dcs_before = win::LiveCounts::dcs, objects_before = win::LiveCounts::gdi_objects;

  memory.Run(c.effect, c.pace);
  gdi.Run(c.effect, c.pace);

  EXPECT_EQ(gdi.screen.Pixels(), memory.surface.Pixels(Layer::Screen));
  // The fades wait on the clock, the morph once per pass: the same frames on both.
  EXPECT_EQ(gdi.frames, memory.surface.Frames());
  EXPECT_EQ(win::LiveCounts::dcs, dcs_before);
  EXPECT_EQ(win::LiveCounts::gdi_objects, objects_before);
}

INSTANTIATE_TEST_SUITE_P(Effects, PixelEffectOnGdi, ::testing::ValuesIn(kCases), [](const auto& info) {
  return "Effect" + std::to_string(info.param.effect) + "_Pace" + std::to_string(info.param.pace) +
         (info.param.with_picture ? "" : "_NoPicture");
});

}  // namespace
}  // namespace saver::testing
