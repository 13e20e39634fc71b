// Single steps of the wipes, line patterns, cells and rolls, pinned frame by frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "EffectFixture.h"

namespace saver::testing {
namespace {

using Uncovered = std::function<bool(int x, int y)>;

// Every pixel of the frame shows the new picture where `uncovered` holds and the old one
// elsewhere.
void ExpectFrame(const CPixelBuffer& frame, const CPixelBuffer& new_picture, const CPixelBuffer& old_picture,
                 const Uncovered& uncovered) {
  for (int y = 0; y < frame.Height(); ++y) {
    for (int x = 0; x < frame.Width(); ++x) {
      const CPixelBuffer& expected = uncovered(x, y) ? new_picture : old_picture;
      ASSERT_EQ(frame.PixelAt(x, y), expected.PixelAt(x, y)) << "pixel " << x << "," << y;
    }
  }
}

void ExpectFrame(const EffectRun& run, const CPixelBuffer& frame, const Uncovered& uncovered) {
  ExpectFrame(frame, run.NewPicture(), run.OldPicture(), uncovered);
}

// The copies an effect made onto the screen (composing the frame copies too).
std::vector<CMemorySurface::CopyCall> ScreenCopies(const CMemorySurface& surface) {
  std::vector<CMemorySurface::CopyCall> onto_screen;
  for (const auto& copy : surface.Copies()) {
    if (copy.target == Layer::Screen) onto_screen.push_back(copy);
  }
  return onto_screen;
}

TEST(BoxInTest, FourByFourTakesThreeSteps) {
  EffectRun run(4, 4);
  run.Run(7);
  ASSERT_EQ(run.surface.Frames().size(), 2u);
  // Row 0 and column 0.
  ExpectFrame(run, run.surface.Frames()[0], [](int x, int y) { return x == 0 || y == 0; });
  // Then rows 1 and 3 (two pixels each) and columns 1 and 3: all but (2, 2).
  ExpectFrame(run, run.surface.Frames()[1], [](int x, int y) { return !(x == 2 && y == 2); });
  // The last step draws only (2, 2), from the right column.
  EXPECT_EQ(run.TargetNow(), run.NewPicture());
}

// On a target wider than tall the rows reach the edges after 2 steps; the sides go on growing
// with full-height columns until they reach the left and right edges.
TEST(BoxOutTest, WideTargetKeepsGrowingSideways) {
  EffectRun run(12, 4);
  run.Run(8);
  const auto& frames = run.surface.Frames();
  ASSERT_EQ(frames.size(), 6u);
  for (int step = 2; step < 6; ++step) {
    SCOPED_TRACE(step);
    ExpectFrame(run, frames[step], [step](int x, int) { return x >= 6 - step && x <= 6 + step; });
  }
  EXPECT_EQ(run.TargetNow(), run.NewPicture());
}

// 800 / 16 = 50 columns of cells, an even count, so the grid grows to 51 x 39; the extra cells
// lie outside the target but are waited for.
TEST(CheckerboardTest, EvenColumnCountGrowsTheGrid) {
  const int w = 800, h = 600;
  CMemorySurface surface(TaggedPicture(w, h, kOldTag), CPixelBuffer(w, h), TaggedPicture(w, h, kNewTag));
  surface.RecordCopies(true);
  CTransition transition(17, {Rect::FromSize(0, 0, w, h), std::nullopt}, surface, surface);
  Point point{0, 0};
  transition.ImageEffects(point, 700, 0, 0);
  EXPECT_EQ(surface.Waits().size(), 16u * 51 * 39);
  EXPECT_EQ(surface.Pixels(Layer::Screen), TaggedPicture(w, h, kNewTag));
  // 50 x 38 cells inside (38 rows of 16 and one of 8), 16 one-pixel columns each, one copy each.
  EXPECT_EQ(ScreenCopies(surface).size(), 16u * 50 * 38);
}

// After the first phase (16 offsets over the even cells) exactly the cells with an even
// row + column show the new picture: the grid growth makes the index parity a checkerboard.
TEST(CheckerboardTest, FirstPhaseUncoversOneColourOfTheBoard) {
  struct Case {
    int effect, w, h, cells;  // cells of the grown grid
  };
  for (const Case& c : {Case{17, 64, 48, 5 * 4}, Case{18, 48, 64, 4 * 5}, Case{17, 48, 40, 3 * 3}}) {
    SCOPED_TRACE(c.effect);
    EffectRun run(c.w, c.h);
    run.Run(c.effect);
    const int first_phase_waits = 16 * ((c.cells + 1) / 2);
    ExpectFrame(run, run.surface.Frames()[first_phase_waits - 1],
                [](int x, int y) { return (x / 16 + y / 16) % 2 == 0; });
  }
}

// Closing rings: the last step (t = 0) adds exactly one pixel, the centre (20, 20) of each
// 40 x 40 cell.
TEST(ClosingRingsTest, LastStepDrawsEachCellCentre) {
  EffectRun run(80, 40);
  run.Run(80);
  const auto& frames = run.surface.Frames();
  ASSERT_EQ(frames.size(), 21u * 5);
  const CPixelBuffer& before_last = frames[20 * 5 - 1];
  const CPixelBuffer now = run.TargetNow();
  std::vector<Point> changed;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 80; ++x) {
      if (now.PixelAt(x, y) != before_last.PixelAt(x, y)) changed.push_back({x, y});
    }
  }
  EXPECT_EQ(changed, (std::vector<Point>{{20, 20}, {60, 20}}));
  EXPECT_EQ(now, run.NewPicture());
}

// Strip wipes on 20 pixels: three strips of 8, the last one cut to the 4 pixels left.
TEST(StripWipeTest, TwentyPixelsMakeThreeStripsTheLastOneCut) {
  struct Case {
    int effect;
    bool columns;
    std::vector<std::pair<int, int>> strips;  // first and last pixel across, in drawing order
  };
  const Case cases[] = {
      {67, true, {{0, 7}, {8, 15}, {16, 19}}},
      {69, true, {{12, 19}, {4, 11}, {0, 3}}},
      {68, false, {{0, 7}, {8, 15}, {16, 19}}},
      {70, false, {{12, 19}, {4, 11}, {0, 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.effect);
    EffectRun run(20, 20);
    run.surface.RecordCopies(true);
    run.Run(c.effect);
    const auto copies = ScreenCopies(run.surface);
    ASSERT_EQ(copies.size(), 3u * 20);  // one copy per line along, 20 lines per strip
    for (std::size_t strip = 0; strip < 3; ++strip) {
      for (std::size_t line = 0; line < 20; ++line) {
        const Rect& d = copies[strip * 20 + line].destination.Offset(-run.target.left, -run.target.top);
        const int first = c.columns ? d.left : d.top, last = (c.columns ? d.right : d.bottom) - 1;
        EXPECT_EQ(first, c.strips[strip].first);
        EXPECT_EQ(last, c.strips[strip].second);
        // Even strips run forwards along, odd strips backwards.
        const int along = c.columns ? d.top : d.left;
        EXPECT_EQ(along, strip % 2 == 0 ? int(line) : 19 - int(line));
      }
    }
  }
}

// Row rolls wait once per front step s. Rows up to m = max(s - Z, 0) show the new picture in
// place, rows between m and the front show it mirrored (row k shows row m + s - k), rows from
// the front on still show the old picture. Z = 3 on 30 rows.
TEST(RollTest, BandBehindTheFrontIsMirrored) {
  const int w = 6, h = 30, z = 3;
  for (int effect : {84, 85}) {
    SCOPED_TRACE(effect);
    EffectRun run(w, h);
    run.Run(effect);
    const CPixelBuffer old_picture = run.OldPicture(), new_picture = run.NewPicture();
    const auto& frames = run.surface.Frames();
    ASSERT_EQ(static_cast<int>(frames.size()), z + h + (effect == 85 ? 1 : 0));
    // From the bottom, row h - k plays the role of row k.
    auto row = [&](int k) { return effect == 84 ? k : h - k; };
    for (int s = 0; s < static_cast<int>(frames.size()); ++s) {
      const int m = std::max(s - z, 0);
      for (int k = 0; k < h; ++k) {
        if (row(k) >= h) continue;  // from the bottom, position 0 lies just past the target
        int shows = row(k);         // in place
        if (k >= s) {
          shows = -1;  // not reached: the old row
        } else if (k > m) {
          // A mirrored row whose source lies past the picture is left as the last step drew it.
          if (m + s - k >= h) continue;
          shows = row(m + s - k);
        }
        const std::uint32_t expected = shows < 0 ? old_picture.PixelAt(2, row(k)) : new_picture.PixelAt(2, shows);
        ASSERT_EQ(frames[s].PixelAt(2, row(k)), expected) << "step " << s << " row " << row(k);
      }
    }
    EXPECT_EQ(run.TargetNow(), new_picture);
  }
}

// The wedges of an odd width leave pixels of the middle column uncovered after the last step,
// more rows than the 3 x 11 centre block holds on a tall target and all of them when the height
// is even (no block); the middle column is drawn at the end. An even width needs nothing more.
TEST(SweepTest, MiddleColumnOfAnOddWidthIsCompleted) {
  for (Size size : {Size{15, 30}, Size{5, 41}, Size{16, 31}}) {
    for (int effect : {77, 78}) {
      SCOPED_TRACE(::testing::Message() << effect << ": " << size.width << " x " << size.height);
      EffectRun run(size.width, size.height);
      run.Run(effect);
      const CPixelBuffer& after_last_step = run.surface.Frames().back();
      int old_in_middle = 0;
      for (int y = 0; y < size.height; ++y) old_in_middle += TagAt(after_last_step, size.width / 2, y) == kOldTag;
      if (size.width % 2 == 1) {
        EXPECT_GT(old_in_middle, size.height % 2 == 1 ? 11 : 0);
      } else {
        EXPECT_EQ(old_in_middle, 0);
      }
      EXPECT_EQ(run.TargetNow(), run.NewPicture());
    }
  }
}


// The wedges, the widening bands and the cell diagonal draw at each step only what their rows
// gained since the last wait. Every frame must show what drawing each step's rows whole shows:
// `reach(s, x, y)` says whether pixel (x, y) had been uncovered by the end of step s of that
// drawing. Also with the frame composed by XOR over a background, whose pixels a second drawing
// would not change either: the effects copy the frame as it stands.
TEST(GrowingRowsTest, FramesMatchDrawingEveryRowWholeAtEveryStep) {
  using Reach = std::function<bool(int w, int h, int step, int x, int y)>;
  // Pixels of row k of a wedge after steps 0 ... s: the most of trunc(k * s' / h), w / 2 at s' = w.
  const auto wedge = [](int w, int h, int s, int k) {
    long long most = 0;
    for (int t = 0; t <= s; ++t) most = std::max(most, t == w ? w / 2 : static_cast<long long>(k) * t / h);
    return most;
  };
  // Row y of a band after widths 0 ... 15 * step around `centre`: x0 = centre - b / 2, b pixels
  // from there, cut at the right edge.
  const auto band = [](int w, int step, int centre, int x) {
    for (int b = 0; b <= 15 * step; ++b) {
      const int x0 = centre - b / 2;
      if (x >= x0 && x < x0 + std::min(b, w - x0)) return true;
    }
    return false;
  };
  const auto slope = [](int w, int h) { return float(w) / float(h); };
  const struct {
    int effect;
    int waits_per_step;
    Reach reach;
  } cases[] = {
      {77, 1, [&](int w, int h, int s, int x, int y) { return x < wedge(w, h, s, y) || x >= w - wedge(w, h, s, h - y); }},
      {78, 1, [&](int w, int h, int s, int x, int y) { return x < wedge(w, h, s, h - y) || x >= w - wedge(w, h, s, y); }},
      {62, 1, [&](int w, int h, int s, int x, int y) { return band(w, s, static_cast<int>(float(y) * slope(w, h)), x); }},
      {64, 1, [&](int w, int h, int s, int x, int y) { return band(w, s, static_cast<int>(float(h - y) * slope(w, h)), x); }},
      // Row k of each 40 x 40 cell shows t - k pixels at step t.
      {81, 3, [](int, int, int t, int x, int y) { return x % 40 < std::min(t - y % 40, 40); }},
  };
  for (const auto& c : cases) {
    for (const Size size : {Size{20, 13}, Size{13, 20}, Size{33, 17}, Size{81, 45}}) {
      for (const std::uint32_t raster_op : {rop::kSrcCopy, rop::kSrcInvert}) {
        SCOPED_TRACE(::testing::Message() << c.effect << ": " << size.width << " x " << size.height
                                          << (raster_op == rop::kSrcCopy ? ", copied" : ", XOR over a background"));
        EffectRun run(size.width, size.height);
        CTransition transition(c.effect, {run.target, 0x5A3C96u, raster_op}, run.surface, run.surface);
        Point point{run.target.left, run.target.top};
        transition.ImageEffects(point, 700, 0, 0);
        const CPixelBuffer new_picture = Crop(run.surface.Pixels(Layer::New), Rect::FromSize(0, 0, size.width, size.height));
        const CPixelBuffer old_picture = run.OldPicture();
        const auto& frames = run.surface.Frames();
        ASSERT_FALSE(frames.empty());
        for (std::size_t i = 0; i < frames.size(); ++i) {
          const int step = static_cast<int>(i) / c.waits_per_step;
          SCOPED_TRACE(::testing::Message() << "wait " << i);
          ExpectFrame(frames[i], new_picture, old_picture, [&](int x, int y) {
            return c.reach(size.width, size.height, step, x, y);
          });
        }
        EXPECT_EQ(run.TargetNow(), new_picture);
      }
    }
  }
}

}  // namespace
}  // namespace saver::testing
