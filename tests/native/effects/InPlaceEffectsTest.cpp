// The effects that uncover the new picture where it lies (wipes, line patterns, cells,
// diagonals, sweeps, dissolves) and the rolls, on targets of many shapes: the last frame, what
// stays untouched, how they wait, and that no frame ever shows a pixel from elsewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <vector>

#include "EffectFixture.h"
#include "EffectSizeName.h"

namespace saver::testing {
namespace {

constexpr int kPace = 640;

// What one wait of an effect looks like, as (a, d) of PacedWait for pace kPace.
enum class WaitKind {
  Step,        // (a, 1000)
  LongCell,    // (2a, 3000): growing squares and closing rings
  HalfPace,    // (a / 2, 1000): widening diagonal bands
  FrontStep,   // (a, 1000 * q), q = trunc((1100 - a) / 1000) + 2: row rolls
  None,        // the unpaced dissolve
};

struct WaitArguments {
  int a;
  double d;
};

WaitArguments Expected(WaitKind kind) {
  switch (kind) {
    case WaitKind::LongCell: return {2 * kPace, 3000.0};
    case WaitKind::HalfPace: return {kPace / 2, 1000.0};
    case WaitKind::FrontStep: return {kPace, 1000.0 * ((1100 - kPace) / 1000 + 2)};
    default: return {kPace, 1000.0};
  }
}

// The number of waits on a w x h target, from first to last inclusive.
struct WaitRange {
  int first, last;
};
using WaitCount = std::function<WaitRange(int w, int h)>;

struct InPlaceEffect {
  int number;
  WaitKind wait_kind;
  WaitCount waits;
  bool mirrors = false;   // a roll: frames may show lines of the new picture mirrored
};

int CeilDiv(int a, int b) { return (a + b - 1) / b; }
// Cells of a grid after the growth rule: both counts grow when the first one is even.
int GridCells(int first, int second) { return first % 2 == 0 ? (first + 1) * (second + 1) : first * second; }

WaitRange Exactly(int n) { return {n, n}; }

int Band(int side) { return std::max(side / 10, 1); }

WaitCount Fixed(int n) { return [n](int, int) { return WaitRange{n, n}; }; }
// Where the count has no short closed form: at least one.
WaitCount SomeWaits() { return [](int, int) { return WaitRange{1, INT_MAX}; }; }
// Column rolls wait after every `per_wait` line positions and visit every line at least once.
WaitCount PerPositions(bool two_sided, int per_wait) {
  return [=](int w, int) { return WaitRange{(two_sided ? w / 2 : w) / per_wait, INT_MAX}; };
}

const InPlaceEffect kEffects[] = {
    {5, WaitKind::None, Fixed(0)},
    {6, WaitKind::Step, [](int w, int h) { return Exactly(CeilDiv(w, 8) * CeilDiv(h, 8)); }},
    {7, WaitKind::Step, [](int w, int h) { return Exactly((std::min(w, h) + 1) / 2); }},
    {8, WaitKind::Step, [](int w, int h) { return Exactly(std::max(w / 2, h / 2)); }},
    {11, WaitKind::Step, [](int, int h) { return Exactly(16 * (h / 16 + 1)); }},
    {12, WaitKind::Step, [](int w, int) { return Exactly(16 * (w / 16 + 1)); }},
    {13, WaitKind::Step, [](int, int h) { return Exactly(h); }},
    {14, WaitKind::Step, [](int w, int) { return Exactly(w); }},
    {17, WaitKind::Step, [](int w, int h) { return Exactly(16 * GridCells(CeilDiv(w, 16), CeilDiv(h, 16))); }},
    {18, WaitKind::Step, [](int w, int h) { return Exactly(16 * GridCells(CeilDiv(h, 16), CeilDiv(w, 16))); }},
    {19, WaitKind::Step, [](int w, int h) { return Exactly(16 * GridCells(CeilDiv(w, 16), CeilDiv(h, 16))); }},
    {20, WaitKind::Step, [](int w, int h) { return Exactly(16 * GridCells(CeilDiv(w, 16), CeilDiv(h, 16))); }},
    {37, WaitKind::Step, [](int, int h) { return Exactly(h); }},
    {38, WaitKind::Step, [](int, int h) { return Exactly(h); }},
    {39, WaitKind::Step, [](int w, int) { return Exactly(w); }},
    {40, WaitKind::Step, [](int w, int) { return Exactly(w); }},
    {49, WaitKind::Step, [](int, int h) { return Exactly(h / 2 + 1); }},
    {50, WaitKind::Step, [](int, int h) { return Exactly(h / 2 + 1); }},
    {51, WaitKind::Step, [](int w, int) { return Exactly(w / 2 + 1); }},
    {52, WaitKind::Step, [](int w, int) { return Exactly(w / 2 + 1); }},
    // Staircases: steps 0 ... 8 * (h / 8 + 1) + w + 1, the last one without a wait.
    {57, WaitKind::Step, [](int w, int h) { return Exactly(8 * (h / 8 + 1) + w + 1); }},
    {58, WaitKind::Step, [](int w, int h) { return Exactly(8 * (h / 8 + 1) + w + 1); }},
    {59, WaitKind::Step, [](int w, int h) { return Exactly(8 * (h / 8 + 1) + w + 1); }},
    {60, WaitKind::Step, [](int w, int h) { return Exactly(8 * (h / 8 + 1) + w + 1); }},
    {61, WaitKind::Step, [](int, int h) { return Exactly(h + 1); }},
    {62, WaitKind::HalfPace, SomeWaits()},
    {63, WaitKind::Step, [](int, int h) { return Exactly(h + 1); }},
    {64, WaitKind::HalfPace, SomeWaits()},
    // Strips 0 ... size / 8, a wait on every tenth line of each.
    {67, WaitKind::Step, [](int w, int h) { return Exactly((w / 8 + 1) * CeilDiv(h, 10)); }},
    {68, WaitKind::Step, [](int w, int h) { return Exactly((h / 8 + 1) * CeilDiv(w, 10)); }},
    {69, WaitKind::Step, [](int w, int h) { return Exactly((w / 8 + 1) * CeilDiv(h, 10)); }},
    {70, WaitKind::Step, [](int w, int h) { return Exactly((h / 8 + 1) * CeilDiv(w, 10)); }},
    {75, WaitKind::Step, SomeWaits()},
    {76, WaitKind::Step, SomeWaits()},
    {77, WaitKind::Step, [](int w, int) { return Exactly(w + 1); }},
    {78, WaitKind::Step, [](int w, int) { return Exactly(w + 1); }},
    {79, WaitKind::LongCell, Fixed(21 * 5)},
    {80, WaitKind::LongCell, Fixed(21 * 5)},
    {81, WaitKind::Step, Fixed(81 * 3)},
    {82, WaitKind::Step, PerPositions(false, 75), true},
    {83, WaitKind::Step, PerPositions(false, 75), true},
    // Row rolls wait once per front step: 0 ... Z + h - 1 from the top, one more from the bottom,
    // Z a tenth of h but at least 1.
    {84, WaitKind::FrontStep, [](int, int h) { return Exactly(Band(h) + h); }, true},
    {85, WaitKind::FrontStep, [](int, int h) { return Exactly(Band(h) + h + 1); }, true},
    {86, WaitKind::Step, PerPositions(true, 50), true},
    {87, WaitKind::FrontStep, [](int, int h) { return Exactly(Band(h) + h / 2 + 1); }, true},
};

// Odd and even, square, wide, tall, thin, below and above one cell or band, and 1 x 1.
const Size kSizes[] = {{1, 1}, {4, 4}, {5, 5}, {2, 9}, {9, 2}, {20, 13}, {13, 20}, {33, 17}, {41, 50}, {90, 44}};

class InPlaceEffectTest : public ::testing::TestWithParam<std::tuple<InPlaceEffect, Size>> {
 protected:
  InPlaceEffectTest() : run_(Target().width, Target().height) {}
  const InPlaceEffect& Effect() const { return std::get<0>(GetParam()); }
  Size Target() const { return std::get<1>(GetParam()); }
  EffectRun run_;
};

TEST_P(InPlaceEffectTest, EndsShowingTheNewPicture) {
  run_.Run(Effect().number, kPace);
  EXPECT_EQ(run_.TargetNow(), run_.NewPicture());
  EXPECT_EQ(run_.ChangedOutsideTarget(), 0);
  EXPECT_EQ(run_.surface.SnapshotsTaken(), 0);
}

TEST_P(InPlaceEffectTest, WaitsWithItsOwnArguments) {
  run_.Run(Effect().number, kPace);
  const auto& waits = run_.surface.Waits();
  const WaitRange expected_count = Effect().waits(Target().width, Target().height);
  EXPECT_GE(static_cast<int>(waits.size()), expected_count.first);
  EXPECT_LE(static_cast<int>(waits.size()), expected_count.last);
  const WaitArguments expected = Expected(Effect().wait_kind);
  for (const auto& wait : waits) {
    EXPECT_EQ(wait.a, expected.a);
    EXPECT_EQ(wait.d, expected.d);
  }
}

// Each frame shows, at every pixel, the old picture or the new one from the same position (a
// roll: from the same row or column); a pixel once uncovered in place stays uncovered.
TEST_P(InPlaceEffectTest, FramesShowOnlyOldAndNewPixelsInPlace) {
  run_.Run(Effect().number, kPace);
  const CPixelBuffer old_picture = run_.OldPicture(), new_picture = run_.NewPicture();
  const bool rows_roll = Effect().number == 84 || Effect().number == 85 || Effect().number == 87;
  std::vector<bool> uncovered(static_cast<std::size_t>(Target().width) * Target().height);
  for (const CPixelBuffer& frame : run_.surface.Frames()) {
    for (int y = 0; y < Target().height; ++y) {
      for (int x = 0; x < Target().width; ++x) {
        const std::uint32_t pixel = frame.PixelAt(x, y);
        const std::size_t at = static_cast<std::size_t>(y) * Target().width + x;
        if (pixel == new_picture.PixelAt(x, y)) {
          uncovered[at] = true;
          continue;
        }
        if (Effect().mirrors && TagAt(frame, x, y) == kNewTag) {
          // Mirrored band: a line of the new picture, moved along the roll's direction only.
          const int keeps = rows_roll ? pixel & 0xFF : (pixel >> 8) & 0xFF;
          ASSERT_EQ(keeps, rows_roll ? x & 0xFF : y & 0xFF) << x << "," << y;
          continue;
        }
        ASSERT_EQ(pixel, old_picture.PixelAt(x, y)) << "pixel " << x << "," << y;
        if (!Effect().mirrors) {
          ASSERT_FALSE(uncovered[at]) << "covered again at " << x << "," << y;
        }
      }
    }
  }
}

// Only the unpaced dissolve (5) stops early, after its first block; the others draw everything.
TEST_P(InPlaceEffectTest, StopRequestEndsOnlyTheUnpacedDissolve) {
  run_.surface.RequestStop();
  run_.Run(Effect().number, kPace);
  if (Effect().number != 5) {
    EXPECT_EQ(run_.TargetNow(), run_.NewPicture());
    return;
  }
  const CPixelBuffer now = run_.TargetNow();
  int new_pixels = 0;
  for (int y = 0; y < Target().height; ++y) {
    for (int x = 0; x < Target().width; ++x) new_pixels += TagAt(now, x, y) == kNewTag;
  }
  EXPECT_GE(new_pixels, 1);
  EXPECT_LE(new_pixels, 16);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, InPlaceEffectTest,
                         ::testing::Combine(::testing::ValuesIn(kEffects), ::testing::ValuesIn(kSizes)), EffectSizeName<InPlaceEffect>);

// Paces far outside the speed slider's range (a package may hold any 32-bit speed) neither
// overflow the wait arguments nor keep an effect from its last frame.
TEST(ExtremePaceTest, EffectsStillEndOnTheirLastFrame) {
  for (int pace : {INT_MIN, INT_MAX}) {
    for (int effect : {4, 62, 65, 66, 79, 80, 84, 87}) {
      SCOPED_TRACE(::testing::Message() << "effect " << effect << ", pace " << pace);
      EffectRun run(21, 12);
      run.Run(effect, pace);
      EXPECT_EQ(run.TargetNow(), effect == 65 ? CPixelBuffer(21, 12) : run.NewPicture());
      for (const auto& wait : run.surface.Waits()) {
        if (effect == 79 || effect == 80) {
          EXPECT_EQ(wait.a, pace);  // 2a, held at the int limit
        }
      }
    }
  }
}

}  // namespace
}  // namespace saver::testing
