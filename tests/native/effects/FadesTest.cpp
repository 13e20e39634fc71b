// The fades: 256 brightness levels timed by the tick count, level dropping on a slow device,
// the early ends, and what each leaves on the screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "EffectFixture.h"
#include "effects/EffectContext.h"
#include "effects/Fades.h"
#include "effects/ForwardingSurface.h"

namespace saver::testing {
namespace {

using effects::FadeDirection;

// A device on which every drawing of pixels takes `draw_ms` of the clock, and the one frame
// numbered `hiccup_frame` (counting from 0) `hiccup_ms` more. It notes the first byte of every
// frame drawn, and asks the show to stop while it draws frame `stop_frame`.
class TimedDrawSurface : public CForwardingSurface {
 public:
  TimedDrawSurface(CMemorySurface& inner, int draw_ms) : CForwardingSurface(inner), memory_(inner), draw_ms_(draw_ms) {}

  void DrawClipped(Layer target, const ClippedBlock& block, const CPixelBuffer& pixels) override {
    CForwardingSurface::DrawClipped(target, block, pixels);
    if (first_bytes.size() == stop_frame) memory_.RequestStop();
    memory_.Sleep(draw_ms_ + (first_bytes.size() == hiccup_frame ? hiccup_ms : 0));
    first_bytes.push_back(pixels.Data()[0]);
  }

  // Like the screen's device, it makes every level as it draws it.
  void DrawMadeClipped(Layer target, const ClippedBlock& block, Size size, PixelMaker make) override {
    CDrawingSurface::DrawMadeClipped(target, block, size, std::move(make));
  }

  std::vector<int> first_bytes;
  std::size_t hiccup_frame = SIZE_MAX;
  int hiccup_ms = 0;
  std::size_t stop_frame = SIZE_MAX;

 private:
  CMemorySurface& memory_;
  int draw_ms_;
};

// The fixture's picture with a white top-left pixel, whose first byte shows the level drawn; the
// frame holds the same picture, as composed by the transition.
struct FadeRun {
  FadeRun(int pace, int draw_ms = 0) : run(6, 5), device(run.surface, draw_ms), pace(pace) {
    run.surface.MutablePixels(Layer::Picture).SetPixel(0, 0, 0xFFFFFF);
    run.surface.MutablePixels(Layer::New) = run.surface.Pixels(Layer::Picture);
  }

  const CPixelBuffer& NewPicture() const { return run.surface.Pixels(Layer::New); }

  effects::FadeLevels Fade(FadeDirection direction) {
    CEffectContext context(device, run.surface, {run.target.left, run.target.top}, {6, 5}, pace);
    return effects::RunFade(context, direction);
  }

  EffectRun run;
  TimedDrawSurface device;
  int pace;
};

TEST(BrightnessTest, TableRowsScaleByLevelOver256) {
  for (int level : {0, 1, 128, 255}) {
    for (int value : {0, 1, 127, 255}) {
      EXPECT_EQ(effects::Brightness(level, static_cast<std::uint8_t>(value)), value * level / 256);
    }
  }
  EXPECT_EQ(effects::Brightness(255, 255), 254);  // never the full picture
}

TEST(FadeTest, FadeInDrawsEveryLevelOnceThenTheNewPicture) {
  FadeRun fade(700);  // T = 11 - 7 = 4 ms a level
  const effects::FadeLevels levels = fade.Fade(FadeDirection::In);
  EXPECT_EQ(levels.frames, 256);
  EXPECT_EQ(levels.levels, 256);
  ASSERT_EQ(fade.device.first_bytes.size(), 256u);
  for (int level = 0; level < 256; ++level) EXPECT_EQ(fade.device.first_bytes[level], 255 * level / 256);
  // Level L is due L * T after the start; the last sleep ends at 255 * T.
  EXPECT_EQ(fade.run.surface.TickCount(), 255u * 4);
  EXPECT_EQ(fade.run.TargetNow(), fade.NewPicture());
  EXPECT_EQ(fade.run.ChangedOutsideTarget(), 0);
}

TEST(FadeTest, FadeOutRunsTheLevelsDownAndEndsBlack) {
  FadeRun fade(700);  // T = 12 - 7 = 5 ms a level
  const effects::FadeLevels levels = fade.Fade(FadeDirection::Out);
  EXPECT_EQ(levels.levels, 256);
  ASSERT_EQ(fade.device.first_bytes.size(), 256u);
  EXPECT_EQ(fade.device.first_bytes.front(), 254);
  EXPECT_EQ(fade.device.first_bytes.back(), 0);
  EXPECT_EQ(fade.run.surface.TickCount(), 255u * 5);
  EXPECT_EQ(fade.run.TargetNow(), CPixelBuffer(6, 5));  // black
  EXPECT_EQ(fade.run.ChangedOutsideTarget(), 0);
}

// A step time of 0 or less skips the levels: straight to the end of the fade.
TEST(FadeTest, NoStepTimeSkipsTheLevels) {
  struct Case {
    FadeDirection direction;
    int pace;
    bool ends_on_new;
  };
  for (const Case& c : {Case{FadeDirection::In, 1100, true}, Case{FadeDirection::In, 1500, true},
                        Case{FadeDirection::Out, 1200, false}, Case{FadeDirection::Out, 2000, false}}) {
    SCOPED_TRACE(c.pace);
    FadeRun fade(c.pace);
    EXPECT_EQ(fade.Fade(c.direction).frames, 0);
    EXPECT_TRUE(fade.device.first_bytes.empty());
    EXPECT_EQ(fade.run.surface.TickCount(), 0u);
    EXPECT_EQ(fade.run.TargetNow(), c.ends_on_new ? fade.NewPicture() : CPixelBuffer(6, 5));
  }
}

// A device slower than a level drops levels so that the fade still lasts about 256 * T.
// A stop while a level is drawn ends the fade there with its last picture, the new one or black.
TEST(FadeTest, StopEndsTheLevelsAtOnce) {
  for (const FadeDirection direction : {FadeDirection::In, FadeDirection::Out}) {
    FadeRun fade(700);
    fade.device.stop_frame = 40;
    const effects::FadeLevels levels = fade.Fade(direction);
    EXPECT_EQ(levels.frames, 41);
    EXPECT_LT(fade.run.surface.TickCount(), 41u * 5);
    EXPECT_EQ(fade.run.TargetNow(), direction == FadeDirection::In ? fade.NewPicture() : CPixelBuffer(6, 5));
  }
}

TEST(FadeTest, SlowDeviceDropsLevelsAndKeepsTheDuration) {
  FadeRun fade(700, 10);  // T = 4 ms, 10 ms a frame
  const effects::FadeLevels levels = fade.Fade(FadeDirection::In);
  EXPECT_EQ(levels.frames, static_cast<int>(fade.device.first_bytes.size()));
  EXPECT_LT(levels.frames, 256 * 4 / 10 + 2);
  const std::uint32_t elapsed = fade.run.surface.TickCount();
  EXPECT_GE(elapsed, 256u * 4);
  EXPECT_LT(elapsed, 256u * 4 + 10);
  const auto& shown = fade.device.first_bytes;
  for (std::size_t i = 1; i < shown.size(); ++i) EXPECT_GE(shown[i], shown[i - 1]) << i;
  EXPECT_GE(shown.back(), 250);
  EXPECT_EQ(fade.run.TargetNow(), fade.NewPicture());
}

// A device that keeps up (1 ms a frame, T = 4 ms) but stalls once, on frame 100 (level 100, drawn
// from 99 * T = 396 ms), resumes at the level the clock calls for, floor((397 + stall) / T), at
// least at 101: only the levels in between are dropped, no level is drawn twice, and the fade
// keeps to its schedule afterwards, ending 255 * T after its start.
TEST(FadeTest, OneLateFrameDropsOnlyTheLevelsItTook) {
  struct Case {
    int stall_ms;
    int levels_dropped;
  };
  for (const Case& c : {Case{3, 0}, Case{9, 0}, Case{13, 1}, Case{30, 5}}) {
    SCOPED_TRACE(::testing::Message() << "stall of " << c.stall_ms << " ms");
    FadeRun fade(700, 1);
    fade.device.hiccup_frame = 100;
    fade.device.hiccup_ms = c.stall_ms;
    const effects::FadeLevels levels = fade.Fade(FadeDirection::In);
    EXPECT_EQ(levels.frames, levels.levels);
    EXPECT_EQ(levels.levels, 256 - c.levels_dropped);
    // Levels 0 and 1 both show 255 as 0; from level 1 on every level shows it differently.
    const auto& shown = fade.device.first_bytes;
    for (std::size_t i = 2; i < shown.size(); ++i) ASSERT_GT(shown[i], shown[i - 1]) << "frame " << i;
    EXPECT_EQ(fade.run.surface.TickCount(), 255u * 4);
    EXPECT_EQ(fade.run.TargetNow(), fade.NewPicture());
  }
}

// Without a picture to read, the fade ends before drawing anything: no fill, no final blit.
TEST(FadeTest, MissingPictureEndsBeforeDrawing) {
  for (FadeDirection direction : {FadeDirection::In, FadeDirection::Out}) {
    FadeRun fade(700);
    fade.run.surface.MutablePixels(Layer::Picture) = CPixelBuffer();
    EXPECT_EQ(fade.Fade(direction).frames, 0);
    EXPECT_EQ(fade.run.TargetNow(), fade.run.OldPicture());
  }
}

// On the memory surface the levels are made only when somebody looks: the levels looked at are
// those due, a stop ends the fade as on a device that draws every level, and the end is the
// same. While the fade keeps to time, sleep L follows level L.
TEST(FadeTest, LevelsLookedAtOnTheMemorySurfaceAreTheLevelsDue) {
  struct Case {
    FadeDirection direction;
    int stop_at;
  };
  const std::vector<int> looks = {0, 1, 100, 254};
  for (const Case& c : {Case{FadeDirection::In, -1}, Case{FadeDirection::Out, -1}, Case{FadeDirection::In, 100},
                        Case{FadeDirection::Out, 100}}) {
    SCOPED_TRACE(::testing::Message() << (c.direction == FadeDirection::In ? "in" : "out") << ", stop at "
                                      << c.stop_at);
    EffectRun run(6, 5);
    run.surface.MutablePixels(Layer::New) = run.surface.Pixels(Layer::Picture);
    LookingPacer pacer(run, looks, c.stop_at);
    CEffectContext context(run.surface, pacer, {run.target.left, run.target.top}, {6, 5}, 700);
    const effects::FadeLevels shown = effects::RunFade(context, c.direction);
    EXPECT_EQ(shown.frames, c.stop_at < 0 ? 256 : c.stop_at + 2);
    const std::size_t looked = c.stop_at < 0 ? looks.size() : 3;
    ASSERT_EQ(pacer.seen.size(), looked);
    const CPixelBuffer picture = run.NewPicture();
    for (std::size_t i = 0; i < looked; ++i) {
      const int brightness = c.direction == FadeDirection::In ? looks[i] : 255 - looks[i];
      for (std::size_t byte = 0; byte < picture.ByteCount(); ++byte) {
        ASSERT_EQ(pacer.seen[i].Data()[byte], picture.Data()[byte] * brightness / 256) << "look " << i;
      }
    }
    EXPECT_EQ(run.TargetNow(), c.direction == FadeDirection::In ? picture : CPixelBuffer(6, 5));
    EXPECT_EQ(run.ChangedOutsideTarget(), 0);
  }
}

// Through the catalogue: fades take their time from the clock, never from paced waits.
TEST(FadeTest, CatalogueFadesDoNotUsePacedWaits) {
  for (int effect : {4, 65}) {
    EffectRun run(6, 5);
    run.Run(effect, 700);
    EXPECT_TRUE(run.surface.Waits().empty());
    EXPECT_GT(run.surface.TickCount(), 0u);
    EXPECT_EQ(run.TargetNow(), effect == 4 ? run.NewPicture() : CPixelBuffer(6, 5));
  }
}

}  // namespace
}  // namespace saver::testing
