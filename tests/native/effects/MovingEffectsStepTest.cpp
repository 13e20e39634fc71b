// The geometry of single steps: where each pixel of a frame comes from.
#include <gtest/gtest.h>

#include <vector>

#include "EffectFixture.h"

namespace saver::testing {
namespace {

// The expected source of target pixel (x, y) at progress j: NEW or OLD and the pixel there.
struct Source {
  std::uint8_t tag;
  int x, y;
};
using Expected = Source (*)(int x, int y, int j, int w, int h);

struct StepCase {
  const char* name;
  int effect;
  int w, h;
  int j_per_wait;  // progress between two waits (strip pushes wait every 9 or 10 steps)
  int first_j;
  Expected expected;
};

const StepCase kStepCases[] = {
    {"slide in from the top", 21, 6, 5, 1, 0,
     [](int x, int y, int j, int, int h) { return y < j ? Source{kNewTag, x, h - j + y} : Source{kOldTag, x, y}; }},
    {"slide in from the left", 24, 6, 5, 1, 0,
     [](int x, int y, int j, int w, int) { return x < j ? Source{kNewTag, w - j + x, y} : Source{kOldTag, x, y}; }},
    {"uncover downwards", 29, 6, 5, 1, 1,
     [](int x, int y, int j, int, int) { return y < j ? Source{kNewTag, x, y} : Source{kOldTag, x, y - j}; }},
    {"uncover to the left", 31, 6, 5, 1, 1,
     [](int x, int y, int j, int w, int) { return x >= w - j ? Source{kNewTag, x, y} : Source{kOldTag, x + j, y}; }},
    {"push down", 41, 6, 5, 1, 0,
     [](int x, int y, int j, int, int h) { return y < j ? Source{kNewTag, x, h - j + y} : Source{kOldTag, x, y - j}; }},
    {"push up", 42, 6, 5, 1, 0,
     [](int x, int y, int j, int, int h) { return y >= h - j ? Source{kNewTag, x, y - (h - j)} : Source{kOldTag, x, y + j}; }},
    {"push left", 43, 6, 5, 1, 0,
     [](int x, int y, int j, int w, int) { return x >= w - j ? Source{kNewTag, x - (w - j), y} : Source{kOldTag, x + j, y}; }},
    {"push right", 44, 6, 5, 1, 0,
     [](int x, int y, int j, int w, int) { return x < j ? Source{kNewTag, w - j + x, y} : Source{kOldTag, x - j, y}; }},
    // One strip of 8 columns pushed down, a wait after steps 0, 9, 18 and 27.
    {"column strip pushed down, right to left", 73, 8, 27, 9, 0,
     [](int x, int y, int j, int, int h) { return y < j ? Source{kNewTag, x, h - j + y} : Source{kOldTag, x, y - j}; }},
    // Corner push from the top-left on a 4:3 target: X moves 4/3 of a pixel per step, Y one.
    {"push from the top-left corner", 47, 8, 6, 1, 0,
     [](int x, int y, int j, int w, int h) {
       const int cx = j * w / h, cy = j;
       if (x < cx && y < cy) return Source{kNewTag, w - cx + x, h - cy + y};
       if (x >= cx && y >= cy) return Source{kOldTag, x - cx, y - cy};
       if (x >= cx) return Source{kOldTag, x - cx, y};
       return Source{kOldTag, x, y - cy};
     }},
};

class StepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepTest, EveryFrameShowsThePixelsOfItsStep) {
  const StepCase& c = GetParam();
  EffectRun run(c.w, c.h);
  run.Run(c.effect);
  const auto& frames = run.surface.Frames();
  ASSERT_FALSE(frames.empty());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const int j = c.first_j + static_cast<int>(i) * c.j_per_wait;
    if (j > std::max(c.w, c.h)) break;  // the frames of the next strips (73) draw outside
    for (int y = 0; y < c.h; ++y) {
      for (int x = 0; x < c.w; ++x) {
        Source s = c.expected(x, y, j, c.w, c.h);
        if (s.tag == kOldTag) {  // the old picture is tagged with screen positions
          s.x += EffectRun::kMarginX;
          s.y += EffectRun::kMarginY;
        }
        const std::uint32_t want = (s.x & 0xFF) | ((s.y & 0xFF) << 8) | (std::uint32_t{s.tag} << 16);
        ASSERT_EQ(frames[i].PixelAt(x, y), want) << "step " << j << " pixel (" << x << ", " << y << ")";
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Geometry, StepTest, ::testing::ValuesIn(kStepCases),
                         [](const auto& info) { return "Effect" + std::to_string(info.param.effect); });

std::vector<CMemorySurface::CopyCall> ScreenCopiesOfStep(const CMemorySurface& surface, std::size_t step) {
  const auto& copies = surface.Copies();
  const std::size_t begin = step == 0 ? 0 : surface.Waits()[step - 1].copies_before;
  const std::size_t end = surface.Waits()[step].copies_before;
  std::vector<CMemorySurface::CopyCall> out;
  for (std::size_t i = begin; i < end; ++i) {
    if (copies[i].target == Layer::Screen) out.push_back(copies[i]);
  }
  return out;
}

// Effect 10 on an even target: the twelve blits of a step, in order, at x = y = 1.
TEST(QuartersSlideOut, StepDrawsTwelveBlitsInOrder) {
  EffectRun run(8, 8);
  run.surface.RecordCopies(true);
  run.Run(10);
  const int U = 4, V = 4, x = 1, y = 1;
  struct B {
    int x, y, cx, cy;
    Layer src;
    int sx, sy;
  };
  const B expected[] = {
      {U + x, 0, U - x, V - y, Layer::Old, U, y},     {U, V - y, U, y, Layer::New, U, V - y},
      {U, 0, x, V - y, Layer::New, U, 0},             {0, 0, U - x, V - y, Layer::Old, x, y},
      {U - x, 0, x, V, Layer::New, U - x, 0},         {0, V - y, U - x, y, Layer::New, 0, V - y},
      {0, V + y, U - x, V - y, Layer::Old, x, V},     {0, V, U, y, Layer::New, 0, V},
      {U - x, V + y, x, V - y, Layer::New, U - x, V + y}, {U + x, V + y, U - x, V - y, Layer::Old, U, V},
      {U, V, U, y, Layer::New, U, V},                 {U, V + y, x, V - y, Layer::New, U, V + y},
  };
  const auto copies = ScreenCopiesOfStep(run.surface, 1);
  ASSERT_EQ(copies.size(), std::size(expected));
  const Point at{run.target.left, run.target.top};
  for (std::size_t i = 0; i < copies.size(); ++i) {
    const B& b = expected[i];
    EXPECT_EQ(copies[i], (CMemorySurface::CopyCall{Layer::Screen, Rect::FromSize(at.x + b.x, at.y + b.y, b.cx, b.cy),
                                                   b.src, Point{b.sx, b.sy}}))
        << "blit " << i;
  }
}

// 53 and 55 run one step past the middle: the frame at j = m is already the new picture, the
// step j = m + 1 shifts it by a line, and the final blit makes it exact again.
TEST(HalvesSlideIn, RunOneStepPastTheMiddle) {
  for (const int effect : {53, 55}) {
    EffectRun run(8, 8);
    run.Run(effect);
    const auto& frames = run.surface.Frames();
    const int m = 4;
    ASSERT_EQ(static_cast<int>(frames.size()), m + 2) << effect;
    EXPECT_EQ(frames[m], run.NewPicture()) << effect;
    EXPECT_NE(frames[m + 1], run.NewPicture()) << effect;
    EXPECT_EQ(run.TargetNow(), run.NewPicture()) << effect;
  }
}

// Strips that reach past the edge are cut there: a target 20 pixels wide (tall) has strips at
// columns (rows) 12, 4 and -4, the last cut to the 4 lines 0 ... 3, and every line ends in place.
TEST(StripPushes, LastStripIsNarrowerWhenTheSizeIsNoMultipleOfEight) {
  for (const int effect : {73, 74}) {
    EffectRun run(20, 20);
    run.surface.RecordCopies(true);
    run.Run(effect);
    EXPECT_EQ(run.TargetNow(), run.NewPicture()) << effect;
    // Three waits per strip (steps 0 ... 20), so the last strip starts after the sixth.
    const auto& copies = run.surface.Copies();
    const std::size_t last_strip = run.surface.Waits().at(6).copies_before;
    ASSERT_LT(last_strip, copies.size());
    for (std::size_t i = last_strip; i < copies.size(); ++i) {
      const Rect& r = copies[i].destination;
      if (effect == 73) {
        EXPECT_EQ(r.left, run.target.left) << i;
        EXPECT_EQ(r.Width(), 4) << i;
      } else {
        EXPECT_EQ(r.top, run.target.top) << i;
        EXPECT_EQ(r.Height(), 4) << i;
      }
    }
  }
}

}  // namespace
}  // namespace saver::testing
