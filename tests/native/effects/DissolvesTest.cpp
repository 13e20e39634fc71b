// The random dissolves: every piece drawn exactly once, cut at the edges, their waits, the picks
// of the unpaced one drawn slice by slice in row order, and its early end.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <set>
#include <utility>
#include <vector>

#include "EffectFixture.h"
#include "EffectSizeName.h"
#include "effects/Dissolves.h"
#include "effects/EffectContext.h"
#include "effects/ForwardingSurface.h"
#include "effects/PiecePool.h"

namespace saver::testing {
namespace {

struct Dissolve {
  int number;
  int block_w, block_h;  // 0: the whole side
  bool waits_per_piece;  // else unpaced, drawing neighbours picked together as one run along a row
};

const Dissolve kDissolves[] = {{5, 4, 4, false}, {6, 8, 8, true}, {13, 0, 1, true}, {14, 1, 0, true}};
const Size kSizes[] = {{1, 1}, {10, 7}, {16, 16}, {33, 17}, {3, 40}};

int Pieces(const Dissolve& d, Size size) {
  const int across = d.block_w == 0 ? 1 : (size.width + d.block_w - 1) / d.block_w;
  const int down = d.block_h == 0 ? 1 : (size.height + d.block_h - 1) / d.block_h;
  return across * down;
}

class DissolveTest : public ::testing::TestWithParam<std::tuple<Dissolve, Size>> {
 protected:
  const Dissolve& Effect() const { return std::get<0>(GetParam()); }
  Size Target() const { return std::get<1>(GetParam()); }
};

TEST_P(DissolveTest, DrawsEveryPieceExactlyOnce) {
  EffectRun run(Target().width, Target().height);
  run.surface.RecordCopies(true);
  run.Run(Effect().number);
  std::vector<int> times_drawn(static_cast<std::size_t>(Target().width) * Target().height);
  int copies = 0;
  for (const auto& copy : run.surface.Copies()) {
    if (copy.target != Layer::Screen) continue;
    ++copies;
    const Rect piece = copy.destination.Offset(-run.target.left, -run.target.top);
    // A piece lies on the block grid and is cut only by the target's edges; a run of blocks
    // ends at a block's edge or at the target's.
    if (Effect().block_w > 0) {
      EXPECT_EQ(piece.left % Effect().block_w, 0);
      if (Effect().waits_per_piece) {
        EXPECT_EQ(piece.Width(), std::min(Effect().block_w, Target().width - piece.left));
      } else {
        EXPECT_TRUE(piece.Width() % Effect().block_w == 0 || piece.right == Target().width) << piece.Width();
      }
    }
    if (Effect().block_h > 0) {
      EXPECT_EQ(piece.top % Effect().block_h, 0);
      EXPECT_EQ(piece.Height(), std::min(Effect().block_h, Target().height - piece.top));
    }
    for (int y = piece.top; y < piece.bottom; ++y) {
      for (int x = piece.left; x < piece.right; ++x) ++times_drawn[static_cast<std::size_t>(y) * Target().width + x];
    }
  }
  if (Effect().waits_per_piece) {
    EXPECT_EQ(copies, Pieces(Effect(), Target()));
  }
  EXPECT_EQ(times_drawn, std::vector<int>(times_drawn.size(), 1));
  EXPECT_EQ(run.TargetNow(), run.NewPicture());
  EXPECT_EQ(static_cast<int>(run.surface.Waits().size()), Effect().waits_per_piece ? copies : 0);
}

INSTANTIATE_TEST_SUITE_P(AllSizes, DissolveTest,
                         ::testing::Combine(::testing::ValuesIn(kDissolves), ::testing::ValuesIn(kSizes)), EffectSizeName<Dissolve>);

// Only the unpaced dissolve polls the stop request: it ends after the piece in hand.
TEST(DissolveStopTest, StopRequestLeavesTheSmallBlocksPartlyDrawn) {
  EffectRun run(40, 40);
  run.surface.RequestStop();
  run.surface.RecordCopies(true);
  run.Run(5);
  int screen_copies = 0;
  for (const auto& copy : run.surface.Copies()) screen_copies += copy.target == Layer::Screen;
  EXPECT_EQ(screen_copies, 1);
  EXPECT_NE(run.TargetNow(), run.NewPicture());
}

// A clock that moves on by 10 ms at every reading, so that the unpaced dissolve ends a slice of
// drawing whenever it looks at it. It notes how many copies the surface logged before each
// reading, and answers the stop poll with "stop" from poll number `stop_at` on (0: never).
class SlicingPacer : public CPacer {
 public:
  SlicingPacer(CMemorySurface& surface, int stop_at) : surface_(surface), stop_at_(stop_at) {}

  std::uint32_t TickCount() const override {
    copies_at_readings.push_back(surface_.Copies().size());
    return now_ms_ += 10;
  }
  bool StopRequested() const override { return ++polls == stop_at_; }
  void PacedWait(std::int32_t a, double k) override { surface_.PacedWait(a, k); }
  void Sleep(std::uint32_t milliseconds) override { surface_.Sleep(milliseconds); }

  mutable std::vector<std::size_t> copies_at_readings;
  mutable int polls = 0;

 private:
  CMemorySurface& surface_;
  int stop_at_;
  mutable std::uint32_t now_ms_ = 0;
};

using Block = std::pair<int, int>;  // (x, y) of a 4 x 4 block

// The first `count` picks the small-block dissolve must make from seed `seed`: a pool of blocks
// column by column, each pick an index drawn by CRandomRange over the blocks left (a draw past the
// last index takes index 0), the last block moving into the place of the one taken.
std::vector<Block> ReferencePicks(std::uint32_t seed, int width, int height, std::size_t count) {
  std::vector<Block> pool;
  for (int x = 0; x < width; x += 4) {
    for (int y = 0; y < height; y += 4) pool.emplace_back(x, y);
  }
  CRandomRange random(seed);
  std::vector<Block> picks;
  while (!pool.empty() && picks.size() < count) {
    const int last = static_cast<int>(pool.size()) - 1;
    random.SetRange(0, last);
    const int drawn = random.Next();
    const std::size_t index = drawn > last ? 0 : static_cast<std::size_t>(drawn);
    picks.push_back(pool[index]);
    pool[index] = pool.back();
    pool.pop_back();
  }
  return picks;
}

struct SlicedRun {
  Size size;
  int stop_at;             // stop poll that asks to stop; 0: never
  bool several_drawings;  // a few hundred picks outlast a slice
};

const SlicedRun kSlicedRuns[] = {
    {{130, 90}, 0, true}, {{201, 77}, 0, true}, {{130, 90}, 600, true}, {{130, 90}, 5, false}};

// Each drawing shows exactly the blocks picked since the one before, in the order the reference
// picks them, walked from the top row down and left to right; at a stop, exactly the blocks picked
// so far are new. The thread's generator ends where the reference's draws leave it.
TEST(SmallBlockDissolveTest, DrawsEachSliceOfPicksInRowOrder) {
  for (const SlicedRun& c : kSlicedRuns) {
    SCOPED_TRACE(::testing::Message() << c.size.width << " x " << c.size.height << ", stop at " << c.stop_at);
    for (int attempt = 0; attempt < 5; ++attempt) {
      EffectRun run(c.size.width, c.size.height);
      run.surface.MutablePixels(Layer::New) = run.NewPicture();
      run.surface.RecordCopies(true);
      SlicingPacer pacer(run.surface, c.stop_at);
      CEffectContext context(run.surface, pacer, {run.target.left, run.target.top}, c.size, 1000);
      const std::time_t before = std::time(nullptr);
      effects::DissolveSmallBlocks(context);
      const int next_draw = MsvcRand();
      if (std::time(nullptr) != before) continue;  // the seed is the clock's second: try again

      const std::vector<Block> reference = ReferencePicks(static_cast<std::uint32_t>(before), c.size.width,
                                                          c.size.height, c.stop_at > 0 ? c.stop_at : SIZE_MAX);
      EXPECT_EQ(MsvcRand(), next_draw);
      const std::size_t picked = reference.size();

      std::vector<std::size_t> ends = pacer.copies_at_readings;
      ends.push_back(run.surface.Copies().size());
      std::size_t copy = 0, first_pick = 0;
      int drawings = 0;
      for (const std::size_t end : ends) {
        if (end == copy) continue;
        ++drawings;
        std::set<Block> drawn;
        for (Rect previous; copy < end; ++copy) {
          const Rect piece = run.surface.Copies()[copy].destination.Offset(-run.target.left, -run.target.top);
          EXPECT_TRUE(piece.top > previous.top || (piece.top == previous.top && piece.left >= previous.right))
              << "drawing " << drawings << " goes back";
          previous = piece;
          for (int x = piece.left; x < piece.right; x += 4) drawn.emplace(x, piece.top);
        }
        ASSERT_LE(first_pick + drawn.size(), picked);
        const std::set<Block> expected(reference.begin() + first_pick, reference.begin() + first_pick + drawn.size());
        EXPECT_EQ(drawn, expected) << "drawing " << drawings;
        first_pick += drawn.size();
      }
      EXPECT_EQ(first_pick, picked);
      EXPECT_EQ(drawings > 1, c.several_drawings) << drawings << " drawings";

      const std::set<Block> shown(reference.begin(), reference.begin() + picked);
      const CPixelBuffer now = run.TargetNow();
      for (int y = 0; y < c.size.height; ++y) {
        for (int x = 0; x < c.size.width; ++x) {
          ASSERT_EQ(TagAt(now, x, y), shown.count({x / 4 * 4, y / 4 * 4}) ? kNewTag : kOldTag) << x << "," << y;
        }
      }
      break;
    }
  }
}

// Everything the pool hands out, in order.
std::vector<std::uint32_t> TakeAll(CPiecePool& pool, CRandomRange& random) {
  std::vector<std::uint32_t> taken;
  pool.TakeWhile(random, [&](std::uint32_t piece) {
    taken.push_back(piece);
    return true;
  });
  return taken;
}

// With one piece left the range is the full 0 ... 32767, and every draw past index 0 falls
// back to it: the last piece is always taken.
TEST(PiecePoolTest, LastPieceIsAlwaysTaken) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    CRandomRange random(seed);
    CPiecePool pool({0x00070003u});
    EXPECT_EQ(TakeAll(pool, random), std::vector<std::uint32_t>{0x00070003u});
    EXPECT_TRUE(pool.Empty());
  }
}

// A pool stopped part way keeps the rest, and taking resumes where the generator left off: the
// pieces come in the same order as from a run without a pause.
TEST(PiecePoolTest, StoppingAndResumingKeepsTheSequence) {
  std::vector<std::uint32_t> pieces(50);
  for (std::uint32_t i = 0; i < 50; ++i) pieces[i] = i;
  CRandomRange whole_random(7);
  CPiecePool whole(pieces);
  const std::vector<std::uint32_t> all = TakeAll(whole, whole_random);
  std::vector<std::uint32_t> sorted = all;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(sorted, pieces);

  for (const std::size_t pause : {std::size_t{1}, std::size_t{17}, std::size_t{49}}) {
    CRandomRange random(7);
    CPiecePool pool(pieces);
    std::vector<std::uint32_t> taken;
    pool.TakeWhile(random, [&](std::uint32_t piece) {
      taken.push_back(piece);
      return taken.size() < pause;
    });
    EXPECT_EQ(pool.Size(), pieces.size() - pause);
    const std::vector<std::uint32_t> rest = TakeAll(pool, random);
    taken.insert(taken.end(), rest.begin(), rest.end());
    EXPECT_EQ(taken, all) << "paused after " << pause;
  }
}

}  // namespace
}  // namespace saver::testing
