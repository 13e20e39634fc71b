// The colour morph: one step per channel and pass towards the new picture, its end, the stop
// request and failed reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "EffectFixture.h"
#include "effects/ColorMorph.h"
#include "effects/EffectContext.h"
#include "effects/ForwardingSurface.h"

namespace saver::testing {
namespace {

constexpr int kW = 7, kH = 5;

// Pictures whose bytes go up and down against each other, by up to 255.
CPixelBuffer Pattern(int seed_x, int seed_y) {
  CPixelBuffer picture(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      for (int c = 0; c < 3; ++c) picture.Row(y)[x * 3 + c] = static_cast<std::uint8_t>((x * seed_x + y * seed_y + c * 101) & 0xFF);
    }
  }
  return picture;
}

// The old picture on the screen under the target.
void ShowOnScreen(EffectRun& run, const CPixelBuffer& picture) {
  CPixelBuffer& screen = run.surface.MutablePixels(Layer::Screen);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) screen.SetPixel(run.target.left + x, run.target.top + y, picture.PixelAt(x, y));
  }
}

// The morph after `passes` passes, one step per pass and channel.
CPixelBuffer AfterPasses(const CPixelBuffer& old_picture, const CPixelBuffer& new_picture, int passes) {
  CPixelBuffer out = old_picture;
  for (std::size_t i = 0; i < out.ByteCount(); ++i) {
    const int from = old_picture.Data()[i], to = new_picture.Data()[i];
    out.Data()[i] = static_cast<std::uint8_t>(from < to ? std::min(from + passes, to) : std::max(from - passes, to));
  }
  return out;
}

TEST(ColorMorphTest, EveryChannelStepsByOneTowardsTheNewPicture) {
  EffectRun run(kW, kH);
  const CPixelBuffer old_picture = Pattern(37, 11);
  ShowOnScreen(run, old_picture);
  run.surface.MutablePixels(Layer::Picture) = Pattern(13, 71);
  const CPixelBuffer new_picture = Pattern(13, 71);
  run.Run(66);

  int largest_difference = 0;
  for (std::size_t i = 0; i < old_picture.ByteCount(); ++i) {
    largest_difference = std::max(largest_difference, std::abs(new_picture.Data()[i] - old_picture.Data()[i]));
  }
  const auto& frames = run.surface.Frames();
  ASSERT_EQ(static_cast<int>(frames.size()), largest_difference);  // one wait per pass
  for (std::size_t pass = 0; pass < frames.size(); ++pass) {
    ASSERT_EQ(frames[pass], AfterPasses(old_picture, new_picture, static_cast<int>(pass) + 1)) << "pass " << pass;
  }
  EXPECT_EQ(run.TargetNow(), new_picture);
  EXPECT_EQ(run.ChangedOutsideTarget(), 0);
  EXPECT_TRUE(run.surface.Errors().empty());
}

TEST(ColorMorphTest, IdenticalPicturesEndAfterOnePass) {
  EffectRun run(kW, kH);
  ShowOnScreen(run, run.NewPicture());
  run.Run(66);
  ASSERT_EQ(run.surface.Frames().size(), 1u);
  EXPECT_EQ(run.surface.Frames()[0], run.NewPicture());
}

// With the stop already requested: the old picture, the first pass, and the end, without a wait.
TEST(ColorMorphTest, StopRequestEndsAfterTheFirstPass) {
  EffectRun run(kW, kH);
  run.surface.RequestStop();
  run.Run(66);
  EXPECT_TRUE(run.surface.Waits().empty());
  CPixelBuffer one_step = run.OldPicture();
  const CPixelBuffer new_picture = run.NewPicture();
  for (std::size_t i = 0; i < one_step.ByteCount(); ++i) {
    std::uint8_t& byte = one_step.Data()[i];
    byte += byte < new_picture.Data()[i] ? 1 : byte > new_picture.Data()[i] ? -1 : 0;
  }
  EXPECT_NE(one_step, run.OldPicture());
  EXPECT_EQ(run.TargetNow(), one_step);
}

// Looked at on chosen waits only, the screen shows the passes due there; a stop asked for on a
// wait ends the morph on the pass drawn after it, made after the morph has returned.
TEST(ColorMorphTest, PassesLookedAtOnChosenWaitsAndAStopInTheMiddle) {
  EffectRun run(kW, kH);
  run.surface.RecordFrames(Rect{});
  const CPixelBuffer old_picture = Pattern(37, 11), new_picture = Pattern(13, 71);
  ShowOnScreen(run, old_picture);
  run.surface.MutablePixels(Layer::Picture) = new_picture;
  LookingPacer pacer(run, {0, 3, 9}, 20);  // wait n follows pass n + 1
  CTransition transition(66, {run.target, std::nullopt}, run.surface, pacer);
  Point point{run.target.left, run.target.top};
  transition.ImageEffects(point, 700, 0, 0);

  ASSERT_EQ(pacer.seen.size(), 3u);
  EXPECT_EQ(pacer.seen[0], AfterPasses(old_picture, new_picture, 1));
  EXPECT_EQ(pacer.seen[1], AfterPasses(old_picture, new_picture, 4));
  EXPECT_EQ(pacer.seen[2], AfterPasses(old_picture, new_picture, 10));
  EXPECT_EQ(run.surface.Waits().size(), 21u);
  ASSERT_NE(AfterPasses(old_picture, new_picture, 22), new_picture);
  EXPECT_EQ(run.TargetNow(), AfterPasses(old_picture, new_picture, 22));
  EXPECT_EQ(run.ChangedOutsideTarget(), 0);
}

// A device that cannot read one layer.
class FailingReadSurface : public CForwardingSurface {
 public:
  FailingReadSurface(CMemorySurface& inner, Layer failing) : CForwardingSurface(inner), failing_(failing) {}
  bool Read(Layer source, const Rect& area, CPixelBuffer& out) override {
    if (source == failing_) return false;
    return CForwardingSurface::Read(source, area, out);
  }

 private:
  Layer failing_;
};

// A failed read is reported and the morph goes on from black (screen) or towards black (NEW).
TEST(ColorMorphTest, FailedReadIsReportedAndTheMorphGoesOn) {
  for (Layer failing : {Layer::Screen, Layer::New}) {
    EffectRun run(kW, kH);
    FailingReadSurface device(run.surface, failing);
    CTransition transition(66, {run.target, std::nullopt}, device, run.surface);
    Point point{run.target.left, run.target.top};
    transition.ImageEffects(point, 700, 0, 0);
    EXPECT_EQ(run.surface.Errors(), std::vector<std::string>{"ImageEffects: DC conversion failed!"});
    EXPECT_EQ(run.TargetNow(), failing == Layer::Screen ? run.NewPicture() : CPixelBuffer(kW, kH));
  }
}

TEST(MorphAfterTest, EachByteMovesByThePassesUpToItsTarget) {
  const std::uint8_t from[] = {10, 200, 7, 0, 255};
  const std::uint8_t target[] = {12, 199, 7, 255, 0};
  struct Case {
    int passes;
    std::vector<int> bytes;
  };
  for (const Case& c : {Case{0, {10, 200, 7, 0, 255}}, Case{1, {11, 199, 7, 1, 254}}, Case{2, {12, 199, 7, 2, 253}},
                        Case{254, {12, 199, 7, 254, 1}}, Case{255, {12, 199, 7, 255, 0}}}) {
    std::uint8_t out[5] = {};
    effects::MorphAfter(from, target, out, 5, c.passes);
    EXPECT_EQ(std::vector<int>(out, out + 5), c.bytes) << c.passes << " passes";
  }
  EXPECT_EQ(effects::PassesToArrive(from, target, 5), 255);
  EXPECT_EQ(effects::PassesToArrive(from, from, 5), 0);
  EXPECT_EQ(effects::PassesToArrive(from, target, 3), 2);
}

}  // namespace
}  // namespace saver::testing
