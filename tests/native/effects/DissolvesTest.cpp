// The random dissolves: every piece drawn exactly once, cut at the edges, their waits, and the
// early end of the unpaced one.
#include <gtest/gtest.h>

#include <vector>

#include "EffectFixture.h"
#include "EffectSizeName.h"
#include "effects/PiecePool.h"

namespace saver::testing {
namespace {

struct Dissolve {
  int number;
  int block_w, block_h;  // 0: the whole side
  bool waits_per_piece;
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
    // A piece lies on the block grid and is cut only by the target's edges.
    if (Effect().block_w > 0) {
      EXPECT_EQ(piece.left % Effect().block_w, 0);
      EXPECT_EQ(piece.Width(), std::min(Effect().block_w, Target().width - piece.left));
    }
    if (Effect().block_h > 0) {
      EXPECT_EQ(piece.top % Effect().block_h, 0);
      EXPECT_EQ(piece.Height(), std::min(Effect().block_h, Target().height - piece.top));
    }
    for (int y = piece.top; y < piece.bottom; ++y) {
      for (int x = piece.left; x < piece.right; ++x) ++times_drawn[static_cast<std::size_t>(y) * Target().width + x];
    }
  }
  EXPECT_EQ(copies, Pieces(Effect(), Target()));
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

// With one piece left the range is the full 0 ... 32767, and every draw past index 0 falls
// back to it: the last piece is always taken.
TEST(PiecePoolTest, LastPieceIsAlwaysTaken) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    CRandomRange random(seed);
    PiecePool pool({Rect::FromSize(3, 4, 5, 6)});
    EXPECT_EQ(pool.Take(random), Rect::FromSize(3, 4, 5, 6));
    EXPECT_TRUE(pool.Empty());
  }
}

TEST(PiecePoolTest, TakesEachPieceOnce) {
  std::vector<Rect> pieces;
  for (int i = 0; i < 50; ++i) pieces.push_back(Rect::FromSize(i, 0, 1, 1));
  CRandomRange random(7);
  PiecePool pool(pieces);
  std::vector<int> taken(50);
  while (!pool.Empty()) ++taken[pool.Take(random).left];
  EXPECT_EQ(taken, std::vector<int>(50, 1));
}

}  // namespace
}  // namespace saver::testing
