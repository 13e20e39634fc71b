// Every slide, push and uncover on targets of many shapes: where it ends, what it leaves alone,
// how often it waits and whether it starts from the old picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "EffectFixture.h"

namespace saver::testing {
namespace {

using WaitCount = int (*)(int w, int h);

struct MovingEffect {
  int number;
  bool moves_old;    // takes the snapshot of the old picture
  WaitCount waits;   // waits the effect makes on a w x h target
};

int Shorter(int w, int h) { return std::min(w, h); }
int CeilDiv(int a, int b) { return (a + b - 1) / b; }
// Quarters: X reaches w / 2 and Y reaches h / 2 moving w / D and h / D per step, D = min(w, h).
int QuarterSteps(int w, int h) {
  const int d = Shorter(w, h);
  return std::max(CeilDiv(w / 2 * d, w), CeilDiv(h / 2 * d, h));
}

const MovingEffect kEffects[] = {
    {9, false, QuarterSteps},
    {10, true, QuarterSteps},
    {15, false, [](int w, int) { return w + 1; }},
    {16, false, [](int, int h) { return h + 1; }},
    {21, false, [](int, int h) { return h + 1; }},
    {22, false, [](int, int h) { return h + 1; }},
    {23, false, [](int w, int) { return w + 1; }},
    {24, false, [](int w, int) { return w + 1; }},
    {25, false, Shorter},
    {26, false, Shorter},
    {27, false, Shorter},
    {28, false, Shorter},
    {29, true, [](int, int h) { return h; }},
    {30, true, [](int, int h) { return h; }},
    {31, true, [](int w, int) { return w; }},
    {32, true, [](int w, int) { return w; }},
    {33, true, Shorter},
    {34, true, Shorter},
    {35, true, Shorter},
    {36, true, Shorter},
    {41, true, [](int, int h) { return h + 1; }},
    {42, true, [](int, int h) { return h + 1; }},
    {43, true, [](int w, int) { return w + 1; }},
    {44, true, [](int w, int) { return w + 1; }},
    {45, true, Shorter},
    {46, true, Shorter},
    {47, true, Shorter},
    {48, true, [](int w, int h) { return Shorter(w, h) - 1; }},  // its end test is >= on both axes
    {53, false, [](int, int h) { return h / 2 + 2; }},           // j = 0 ... m + 1
    {54, true, [](int, int h) { return h / 2 + 2; }},            // u = 0 ... m + 1
    {55, false, [](int w, int) { return w / 2 + 2; }},
    {56, true, [](int w, int) { return w / 2 + 2; }},
    // Strip pushes: strips 0 ... size / 8, steps 0 ... length, a wait every 10 (73: 9) steps.
    {71, true, [](int w, int h) { return (w / 8 + 1) * (h / 10 + 1); }},
    {72, true, [](int w, int h) { return (h / 8 + 1) * (w / 10 + 1); }},
    {73, true, [](int w, int h) { return (w / 8 + 1) * (h / 9 + 1); }},
    {74, true, [](int w, int h) { return (h / 8 + 1) * (w / 10 + 1); }},
};

// Even and odd, square, wide and tall, aspect ratios exact in binary and not (on 3 x 4, steps
// of 4/3 in single precision would end the corner uncovers a step early), and 1 x 1.
const Size kSizes[] = {{8, 8}, {7, 7}, {12, 8}, {27, 9}, {8, 12}, {9, 27}, {20, 11},
                       {11, 20}, {3, 4}, {1, 1}, {2, 1}, {1, 3}};

class MovingEffectTest : public ::testing::TestWithParam<std::tuple<MovingEffect, Size>> {
 protected:
  MovingEffectTest() : run_(Target().width, Target().height) {}
  const MovingEffect& Effect() const { return std::get<0>(GetParam()); }
  Size Target() const { return std::get<1>(GetParam()); }
  EffectRun run_;
};

TEST_P(MovingEffectTest, EndsShowingTheNewPicture) {
  run_.Run(Effect().number);
  EXPECT_EQ(run_.TargetNow(), run_.NewPicture());
}

TEST_P(MovingEffectTest, ChangesNothingOutsideTheTarget) {
  run_.Run(Effect().number);
  EXPECT_EQ(run_.ChangedOutsideTarget(), 0);
}

TEST_P(MovingEffectTest, WaitsOncePerStepWithThePace) {
  run_.Run(Effect().number, 640);
  const auto& waits = run_.surface.Waits();
  EXPECT_EQ(static_cast<int>(waits.size()), Effect().waits(Target().width, Target().height));
  for (const auto& wait : waits) {
    EXPECT_EQ(wait.a, 640);
    EXPECT_EQ(wait.d, 1000.0);
  }
}

TEST_P(MovingEffectTest, OldPictureIsTakenOnceAndReleased) {
  run_.Run(Effect().number);
  EXPECT_EQ(run_.surface.SnapshotsTaken(), Effect().moves_old ? 1 : 0);
  EXPECT_FALSE(run_.surface.SnapshotHeld());
}

// An effect that moves the old picture starts from it: its first frame shows the old picture
// (possibly moved by one step) with at most one line of the new one. The others leave every
// pixel of the old picture where it was.
TEST_P(MovingEffectTest, StartsFromTheOldPicture) {
  run_.Run(Effect().number);
  const auto& frames = run_.surface.Frames();
  if (frames.empty()) return;  // a single step, checked by EndsShowingTheNewPicture
  const CPixelBuffer old = run_.OldPicture();
  if (Effect().moves_old) {
    int new_pixels = 0;
    for (int y = 0; y < Target().height; ++y) {
      for (int x = 0; x < Target().width; ++x) new_pixels += TagAt(frames.front(), x, y) == kNewTag;
    }
    EXPECT_LE(new_pixels, std::max(Target().width, Target().height));
    return;
  }
  for (const CPixelBuffer& frame : frames) {
    for (int y = 0; y < Target().height; ++y) {
      for (int x = 0; x < Target().width; ++x) {
        if (TagAt(frame, x, y) == kOldTag) {
          ASSERT_EQ(frame.PixelAt(x, y), old.PixelAt(x, y)) << x << "," << y;
        }
      }
    }
  }
}

TEST_P(MovingEffectTest, StopRequestMakesNoDifferenceToTheDrawing) {
  EffectRun undisturbed(Target().width, Target().height);
  undisturbed.Run(Effect().number);
  run_.surface.RequestStop();
  run_.Run(Effect().number);
  EXPECT_EQ(run_.TargetNow(), run_.NewPicture());
  EXPECT_EQ(run_.surface.Frames(), undisturbed.surface.Frames());
}

std::string Name(const ::testing::TestParamInfo<std::tuple<MovingEffect, Size>>& info) {
  const auto& [effect, size] = info.param;
  return "Effect" + std::to_string(effect.number) + "_" + std::to_string(size.width) + "x" +
         std::to_string(size.height);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, MovingEffectTest,
                         ::testing::Combine(::testing::ValuesIn(kEffects), ::testing::ValuesIn(kSizes)), Name);

}  // namespace
}  // namespace saver::testing
